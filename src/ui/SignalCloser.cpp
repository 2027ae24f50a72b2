#include "ui/SignalCloser.h"

#include <csignal>
#include <iostream>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include "app/Startup.h"
#include "platform/Dialogs.h"
#include "platform/qt/QtProcesses.h"

namespace {
int g_signalSockets[2] = {-1, -1};
constexpr int kHandledSignals[] = {SIGTERM, SIGINT, SIGHUP};
TSignalCloser* g_instance = nullptr;
// Holds taken before the instance exists count as well.
int g_holds = 0;

extern "C" void HandleCloseSignal(int)
{
    const char byte = 1;
    // Nothing else is safe inside a signal handler; a full socket just means a close is already pending.
    [[maybe_unused]] ssize_t written = ::write(g_signalSockets[0], &byte, 1);
}
} // namespace

TSignalCloser::TSignalCloser(QWidget& window, TStartup* startup)
    : QObject(&window), m_window(window), m_startup(startup)
{
    g_instance = this;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalSockets) != 0) {
        qWarning("No signal socket pair: signals end the program without saving");
        return;
    }
    m_notifier = new QSocketNotifier(g_signalSockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TSignalCloser::SignalArrived);
    struct sigaction action = {};
    action.sa_handler = HandleCloseSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kHandledSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

TSignalCloser::~TSignalCloser()
{
    if (g_instance == this)
        g_instance = nullptr;
    if (m_processes)
        m_processes->OnCloseDuringRun = nullptr;
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    for (int signal : kHandledSignals) {
        ::sigaction(signal, &action, nullptr);
    }
    for (int& fd : g_signalSockets) {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }
}

void TSignalCloser::EndRunsWith(TQtProcesses& processes, TDialogs& dialogs)
{
    m_processes = &processes;
    m_dialogs = &dialogs;
    processes.OnCloseDuringRun = [this] { AskToEndRun(); };
    m_endRuns = new QTimer(this);
    m_endRuns->setInterval(100);
    connect(m_endRuns, &QTimer::timeout, this, [this] { m_processes->EndCurrentRun(); });
}

void TSignalCloser::SignalArrived()
{
    char byte = 0;
    [[maybe_unused]] ssize_t got = ::read(g_signalSockets[1], &byte, 1);
    ++m_received;
    m_pending = true;
    if (!m_bySignal) {
        m_bySignal = true;
        EndBoxes();
    }
    if (g_holds == 0)
        CloseWindow();
    else
        EndRun();
}

// A box waits for an answer nobody gives once the program is asked to end: it would keep the program
// alive, during the start-up too. Every box open now or later is dismissed as by Escape.
void TSignalCloser::EndBoxes()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QDialog*>(widget);
        if (box && box->isVisible() && box->isModal())
            QTimer::singleShot(0, box, &QDialog::reject);
    }
    qApp->installEventFilter(this);
}

bool TSignalCloser::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show) {
        auto* box = qobject_cast<QDialog*>(watched);
        if (box && box->isModal())
            QTimer::singleShot(0, box, &QDialog::reject);
    }
    return QObject::eventFilter(watched, event);
}

void TSignalCloser::AskToEndRun()
{
    if (m_pending)
        return;
    TMessage question;
    question.Caption = "Confirm";
    question.Text = "A game is running.\rEnd the game and close VantorKorb?";
    question.Icon = TMsgIcon::Question;
    question.Buttons = {TMsgButton::Yes, TMsgButton::No};
    if (m_dialogs->ShowMessage(question) != TMsgButton::Yes || m_pending)
        return;
    m_pending = true;
    EndRun();
}

// Also ends a run that starts after the request, while what holds the close is still going on.
void TSignalCloser::EndRun()
{
    if (!m_processes)
        return;
    m_processes->EndCurrentRun();
    m_endRuns->start();
}

void TSignalCloser::CloseWindow()
{
    if (!m_pending)
        return;
    m_pending = false;
    if (m_endRuns)
        m_endRuns->stop();
    if (m_startup && m_bySignal) {
        m_startup->OnError = [](const std::string& text) {
            std::string line = text;
            for (char& c : line)
                if (c == '\r' || c == '\n')
                    c = ' ';
            std::cerr << "VantorKorb: " << line << std::endl;
        };
    }
    m_window.close();
}

void TSignalCloser::Released()
{
    if (m_pending)
        QTimer::singleShot(0, this, &TSignalCloser::CloseWindow);
}

TSignalCloser::THold::THold()
{
    ++g_holds;
}

TSignalCloser::THold::~THold()
{
    if (--g_holds == 0 && g_instance)
        g_instance->Released();
}
