#pragma once
// The hand-shaped pointers of the link labels and the one pointer slot all link labels share.

#include <QCursor>
#include <QObject>

enum class TCustomCursor { crDefaultCursor, crMozilla, crMSIE, crHandHelp };
Q_DECLARE_METATYPE(TCustomCursor)

// The pointer of a kind; the ordinary arrow for crDefaultCursor.
QCursor CustomCursorShape(TCustomCursor kind);

// The application's one custom pointer: loading a kind into it changes it for every label that uses it.
class TLinkCursorSlot : public QObject
{
    Q_OBJECT
public:
    static TLinkCursorSlot& Instance();

    void Load(TCustomCursor kind);
    TCustomCursor Kind() const { return m_kind; }
    QCursor Shape() const { return m_shape; }

signals:
    void Changed(const QCursor& shape);

private:
    TLinkCursorSlot() = default;

    TCustomCursor m_kind = TCustomCursor::crDefaultCursor;
    QCursor m_shape;
};
