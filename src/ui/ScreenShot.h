#pragma once
// The slideshow interval dialog: a track bar of 1 to 10 seconds with OK and Cancel.

#include <functional>

#include <QDialog>

class QLabel;
class QPushButton;
class QSlider;

class TScreenShot : public QDialog
{
    Q_OBJECT
public:
    explicit TScreenShot(QWidget* parent = nullptr);

    // Runs the dialog modally: the new interval in milliseconds on OK, the given one otherwise.
    int SetTimer(int interval);
    // The two halves of SetTimer, for callers that show the dialog themselves.
    void PrepareTimer(int interval);
    int TimerResult(int interval, int dialogResult) const;

    // Applied each time the dialog shows.
    std::function<void(QWidget*)> ScaleFormFonts;

    QLabel* Picture = nullptr;
    QSlider* TimerBar = nullptr;
    QLabel* TimerLabel = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

public slots:
    void TimerBarChange();

protected:
    void showEvent(QShowEvent* event) override;
    virtual void FormShow();
};
