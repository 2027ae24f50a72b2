#pragma once
// The tool-bar pictures, drawn in the palette's button text colour so they read on light and dark windows.

#include <QColor>
#include <QIcon>

// Document and Link are the Help menu's pictures: a page of text, and a globe for a web address.
enum class TToolGlyph {
    Play,
    Pause,
    Previous,
    Next,
    Timer,
    Delete,
    Close,
    Save,
    Cancel,
    Reset,
    Document,
    Link
};

// Painted each time it is shown, in the application palette's button text colour (the disabled one when
// the button is disabled), so a palette change needs no new icon.
QIcon ToolGlyphIcon(TToolGlyph glyph);
// The colour a glyph is drawn in for the given state.
QColor ToolGlyphInk(QIcon::Mode mode);
