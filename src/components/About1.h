#pragma once
// TAboutBox1: the about box as made for korb.exe, with its caption and both logos.

#include "components/About.h"

class TAboutBox1 : public TAboutBox
{
    Q_OBJECT
public:
    explicit TAboutBox1(TShell* shell, QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;

private:
    void ShowLogos();
};
