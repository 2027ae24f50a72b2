#pragma once
// The list font dialog: face, size, style, the effects underline and strike-out, and the text colour.

#include <functional>
#include <optional>

#include <QColor>
#include <QDialog>

#include "platform/Dialogs.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class TListFontDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TListFontDialog(const TFontChoice& current, QWidget* parent = nullptr);

    // What the controls show, in the stored form. A face, size, style or colour left alone comes back
    // exactly as it was given, also a face this desktop does not have.
    TFontChoice Choice() const;

    // Asks for a colour of one's own; by default the desktop's colour dialog.
    std::function<std::optional<QColor>(const QColor&)> PickCustomColour;

    QLineEdit* FaceEdit = nullptr;
    QListWidget* FaceList = nullptr;
    QComboBox* SizeBox = nullptr;
    QCheckBox* BoldBox = nullptr;
    QCheckBox* ItalicBox = nullptr;
    QCheckBox* UnderlineBox = nullptr;
    QCheckBox* StrikeOutBox = nullptr;
    QComboBox* ColourBox = nullptr;
    QLabel* Sample = nullptr;
    QPushButton* OkButton = nullptr;

private:
    void CreateControls();
    void FillColours();
    void FaceEdited(const QString& text);
    void FaceChosen();
    void ColourChosen(int index);
    void ShowSample();
    // The installed family the face text names, ignoring case; empty when there is none.
    QString InstalledFamily(const QString& face) const;
    int SizeShown() const;

    TFontChoice m_current;
    QStringList m_families;
    int m_lastColourIndex = 0;
};
