#pragma once
// Where the main window opens: a stored size larger than the screen is shrunk to the screen's free area
// (panels excluded), and the window is placed wholly on it, title bar and menus included.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

// wanted and minimum are client sizes; frame is what the window manager draws around the client.
QSize FitClientToScreen(QSize wanted, QSize minimum, QMargins frame, QRect available);

// The frame's top-left corner that centres a frame of frameSize in available; a frame larger than the
// area starts at its top-left corner, so the title bar can still be reached.
QPoint CentredFramePosition(QSize frameSize, QRect available);
