#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "platform/qt/QtFontDialog.h"
#include "platform/qt/QtText.h"

namespace {

QMessageBox::Icon IconOf(TMsgIcon icon)
{
    switch (icon) {
    case TMsgIcon::Error:
        return QMessageBox::Critical;
    case TMsgIcon::Warning:
        return QMessageBox::Warning;
    case TMsgIcon::Information:
        return QMessageBox::Information;
    case TMsgIcon::Question:
        return QMessageBox::Question;
    case TMsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton ButtonOf(TMsgButton button)
{
    switch (button) {
    case TMsgButton::Cancel:
        return QMessageBox::Cancel;
    case TMsgButton::Yes:
        return QMessageBox::Yes;
    case TMsgButton::No:
        return QMessageBox::No;
    case TMsgButton::Ok:
        break;
    }
    return QMessageBox::Ok;
}

// A carriage return breaks the line, alone or before a line feed.
QString MessageText(const std::string& bytes)
{
    QString text = TextFromBytes(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    return text;
}

// "Korb Executable|korb.exe|All files|*" becomes "Korb Executable (korb.exe);;All files (*)".
QString FileFilter(const std::string& filter)
{
    QStringList parts = TextFromBytes(filter).split(QChar('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(QChar(';'), QChar(' ')) +
                       QStringLiteral(")");
    return entries.join(QStringLiteral(";;"));
}

} // namespace

TMsgButton TQtDialogs::ShowMessage(const TMessage& message)
{
    QMessageBox box(IconOf(message.Icon), TextFromBytes(message.Caption), MessageText(message.Text),
                    QMessageBox::NoButton, QApplication::activeWindow());
    for (TMsgButton button : message.Buttons)
        box.addButton(ButtonOf(button));
    if (message.Buttons.empty())
        box.addButton(QMessageBox::Ok);
    const int answer = box.exec();
    for (TMsgButton button : message.Buttons) {
        if (answer == ButtonOf(button))
            return button;
    }
    return message.Buttons.empty() ? TMsgButton::Ok : message.Buttons.front();
}

void TQtDialogs::Beep()
{
    QApplication::beep();
}

std::optional<std::string> TQtDialogs::OpenFile(const TOpenFileRequest& request)
{
    QFileDialog dialog(QApplication::activeWindow(), TextFromBytes(request.Title),
                       PathFromBytes(request.InitialDir), FileFilter(request.Filter));
    dialog.setFileMode(request.MustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (!request.DefaultExt.empty())
        dialog.setDefaultSuffix(TextFromBytes(request.DefaultExt));
    if (!request.DefaultName.empty())
        dialog.selectFile(PathFromBytes(request.DefaultName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return PathToBytes(dialog.selectedFiles().front());
}

std::optional<TFontChoice> TQtDialogs::ChooseFont(const TFontChoice& current)
{
    TListFontDialog dialog(current, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}

std::optional<uint32_t> TQtDialogs::ChooseColour(uint32_t current)
{
    const QColor chosen = QColorDialog::getColor(ColourFromStored(current, QApplication::palette()),
                                                 QApplication::activeWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return StoredFromColour(chosen);
}
