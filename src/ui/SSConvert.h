#pragma once
// The "Screenshotconversion" dialog: offers to turn every screenshot into a PNG file with the converter.

#include <functional>

#include <QDialog>

class QLabel;
class QPushButton;

class TSSConvert : public QDialog
{
    Q_OBJECT
public:
    explicit TSSConvert(QWidget* parent = nullptr);

    // Shows the dialog modally; on "Convert" runs ConvertAllScreenshots.
    void ShowConvertDialog();
    // What "Convert" sets going; nothing until the process entry sets it.
    std::function<void()> ConvertAllScreenshots;
    // Applied each time the dialog shows.
    std::function<void(QWidget*)> ScaleFormFonts;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};
