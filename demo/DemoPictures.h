#pragma once
// Draws the demo's pictures of a game (title screen, game play, flyer, cabinet) and saves them.

#include <QImage>
#include <QSize>
#include <QString>

#include "SimGames.h"

enum class TPictureFormat { Pcx256, Pcx16, Png, PngAlpha, Jpeg, Bmp };

QString ExtensionOf(TPictureFormat format); // with the dot
// "STAR RANGER II" as a player would read it on a flyer: "Star Ranger II".
QString DisplayName(const TSimGame& game);

QImage DrawTitleScreen(const TSimGame& game, QSize size);
QImage DrawGameplay(const TSimGame& game, QSize size, int shot);
QImage DrawFlyer(const TSimGame& game, QSize size);
// The background around the cabinet is transparent; formats without alpha get a showroom wall.
QImage DrawCabinet(const TSimGame& game, QSize size);

// Throws std::runtime_error when the file cannot be written. Sixteen-colour PCX files take the game's
// own colours, so the picture keeps its look.
void SavePicture(const QImage& image, const QString& path, TPictureFormat format, const TSimGame& game);
