#include "DemoPictures.h"

#include <fstream>
#include <random>
#include <stdexcept>

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "PcxEncoder.h"
#include "SimPicture.h"

namespace {

int HueOf(const TSimGame& game)
{
    return int(NameHash(std::string(game.ZipName)) % 360);
}

QColor Shade(const TSimGame& game, int hueShift, int saturation, int value)
{
    return QColor::fromHsv((HueOf(game) + hueShift + 360) % 360, saturation, value);
}

std::mt19937 RandomFor(const TSimGame& game, int salt)
{
    return std::mt19937(NameHash(std::string(game.ZipName)) + unsigned(salt) * 7919u);
}

// Shrinks the font until the text fits the box, so long names stay readable on small pictures.
void DrawFittedText(QPainter& painter, const QRectF& box, const QString& text, QFont font,
                    const QColor& colour, bool shadow)
{
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    for (int size = font.pixelSize(); size > 6; --size) {
        font.setPixelSize(size);
        const QRectF needed = QFontMetricsF(font, painter.device()).boundingRect(box, flags, text);
        if (needed.width() <= box.width() && needed.height() <= box.height())
            break;
    }
    painter.setFont(font);
    if (shadow) {
        painter.setPen(QColor(0, 0, 0, 200));
        painter.drawText(box.translated(font.pixelSize() / 12.0 + 1, font.pixelSize() / 12.0 + 1), flags,
                         text);
    }
    painter.setPen(colour);
    painter.drawText(box, flags, text);
}

QFont Font(const char* family, int pixels, bool bold)
{
    QFont font(family);
    font.setPixelSize(std::max(7, pixels));
    font.setBold(bold);
    return font;
}

void DrawStars(QPainter& painter, const TSimGame& game, QSize size, int salt)
{
    auto random = RandomFor(game, salt);
    for (int i = 0; i < size.width() * size.height() / 900; ++i) {
        const int x = int(random() % unsigned(size.width()));
        const int y = int(random() % unsigned(size.height()));
        painter.setPen(QColor(255, 255, 255, 80 + int(random() % 176)));
        painter.drawPoint(x, y);
    }
}

void DrawScreenBackground(QPainter& painter, const TSimGame& game, QSize size, int salt)
{
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, Shade(game, 0, 255, 40));
    sky.setColorAt(1, Shade(game, 40 + salt * 25, 200, 130));
    painter.fillRect(QRect(QPoint(0, 0), size), sky);
    DrawStars(painter, game, size, salt);
    painter.setPen(QPen(Shade(game, 180, 160, 220), 1));
    const int horizon = size.height() * 2 / 3;
    for (int y = horizon, step = 4; y < size.height(); y += step, step += 3)
        painter.drawLine(0, y, size.width(), y);
    for (int x = -size.width(); x < size.width() * 2; x += size.width() / 8)
        painter.drawLine(size.width() / 2, horizon, x, size.height());
}

void DrawShip(QPainter& painter, QPointF centre, double scale, const QColor& colour)
{
    QPainterPath ship;
    ship.moveTo(centre + QPointF(0, -10 * scale));
    ship.lineTo(centre + QPointF(8 * scale, 8 * scale));
    ship.lineTo(centre + QPointF(0, 4 * scale));
    ship.lineTo(centre + QPointF(-8 * scale, 8 * scale));
    ship.closeSubpath();
    painter.fillPath(ship, colour);
}

void DrawCritter(QPainter& painter, QPointF centre, double radius, const QColor& colour)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(centre, radius, radius * 0.8);
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre + QPointF(-radius * 0.35, -radius * 0.2), radius * 0.22, radius * 0.22);
    painter.drawEllipse(centre + QPointF(radius * 0.35, -radius * 0.2), radius * 0.22, radius * 0.22);
    painter.setBrush(Qt::black);
    painter.drawEllipse(centre + QPointF(-radius * 0.35, -radius * 0.15), radius * 0.1, radius * 0.1);
    painter.drawEllipse(centre + QPointF(radius * 0.35, -radius * 0.15), radius * 0.1, radius * 0.1);
}

QImage Canvas(QSize size, QColor fill)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

TIndexedPicture ToIndexed(const QImage& image, bool sixteen, const QList<QRgb>& sixteenColours)
{
    const QImage opaque = image.convertToFormat(QImage::Format_RGB32);
    const QImage indexed = sixteen ? opaque.convertToFormat(QImage::Format_Indexed8, sixteenColours)
                                   : opaque.convertToFormat(QImage::Format_Indexed8);
    TIndexedPicture picture;
    picture.Width = indexed.width();
    picture.Height = indexed.height();
    picture.Pixels.resize(size_t(picture.Width) * size_t(picture.Height));
    for (int y = 0; y < picture.Height; ++y) {
        const uchar* line = indexed.constScanLine(y);
        std::copy(line, line + picture.Width, picture.Pixels.begin() + qsizetype(y) * picture.Width);
    }
    const QList<QRgb> colours = indexed.colorTable();
    for (qsizetype i = 0; i < colours.size() && i < 256; ++i) {
        picture.Palette[size_t(i) * 3] = uint8_t(qRed(colours[i]));
        picture.Palette[size_t(i) * 3 + 1] = uint8_t(qGreen(colours[i]));
        picture.Palette[size_t(i) * 3 + 2] = uint8_t(qBlue(colours[i]));
    }
    return picture;
}

void WriteBytes(const QString& path, const std::string& bytes)
{
    std::ofstream file(path.toStdString(), std::ios::binary);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    if (!file.flush())
        throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace

QString ExtensionOf(TPictureFormat format)
{
    switch (format) {
    case TPictureFormat::Pcx256:
    case TPictureFormat::Pcx16:
        return ".pcx";
    case TPictureFormat::Png:
    case TPictureFormat::PngAlpha:
        return ".png";
    case TPictureFormat::Jpeg:
        return ".jpg";
    case TPictureFormat::Bmp:
        return ".bmp";
    }
    return ".png";
}

QString DisplayName(const TSimGame& game)
{
    QString name = QString::fromStdString(std::string(game.ReadmeName));
    if (name != name.toUpper())
        return name;
    bool wordStart = true;
    for (QChar& c : name) {
        if (c.isLetter()) {
            c = wordStart ? c : c.toLower();
            wordStart = false;
        } else if (c != '\'') {
            wordStart = true;
        }
    }
    // Roman numerals stay capitals.
    static const QStringList numerals{"Ii", "Iii", "Iv", "Vi", "Xii"};
    QStringList words = name.split(' ');
    for (QString& word : words) {
        if (numerals.contains(word))
            word = word.toUpper();
    }
    return words.join(' ');
}

QImage DrawTitleScreen(const TSimGame& game, QSize size)
{
    QImage image = Canvas(size, Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawScreenBackground(painter, game, size, 0);
    const int h = size.height();
    const int w = size.width();
    painter.setFont(Font("DejaVu Sans Mono", h / 18, true));
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, h / 40, w, h / 12), Qt::AlignCenter, "1UP 000000   HI 050000");
    DrawFittedText(painter, QRectF(w * 0.06, h * 0.14, w * 0.88, h * 0.40), DisplayName(game).toUpper(),
                   Font("DejaVu Sans", h / 7, true), Shade(game, 60, 80, 255), true);
    painter.setFont(Font("DejaVu Sans Mono", h / 16, true));
    painter.setPen(QColor(255, 220, 60));
    painter.drawText(QRect(0, int(h * 0.60), w, h / 10), Qt::AlignCenter, "PUSH START BUTTON");
    painter.setFont(Font("DejaVu Sans", h / 22, false));
    painter.setPen(QColor(230, 230, 230));
    const QString maker = QString::fromStdString(std::string(game.Maker)).toUpper();
    painter.drawText(QRect(0, int(h * 0.86), w, h / 10), Qt::AlignCenter,
                     QString("(C) %1 %2").arg(game.Year).arg(maker));
    return image;
}

QImage DrawGameplay(const TSimGame& game, QSize size, int shot)
{
    QImage image = Canvas(size, Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawScreenBackground(painter, game, size, shot);
    const int h = size.height();
    const int w = size.width();
    auto random = RandomFor(game, 100 + shot);
    const double unit = std::min(w, h) / 24.0;
    for (int i = 0; i < 5 + shot * 2; ++i) {
        const QPointF at(unit * 2 + double(random() % unsigned(std::max(1.0, w - unit * 4))),
                         unit * 3 + double(random() % unsigned(std::max(1.0, h * 0.5))));
        DrawCritter(painter, at, unit * (0.8 + (random() % 5) / 5.0), Shade(game, 150 + i * 20, 200, 240));
    }
    const QPointF player(w / 2.0 + (shot - 2) * unit * 3, h - unit * 4);
    DrawShip(painter, player, unit / 8.0, QColor(240, 240, 255));
    painter.setPen(QPen(QColor(255, 255, 120), std::max(1.0, unit / 6)));
    for (int i = 1; i <= 3; ++i)
        painter.drawLine(player - QPointF(0, unit * 2 * i), player - QPointF(0, unit * 2 * i + unit));
    painter.setFont(Font("DejaVu Sans Mono", h / 20, true));
    painter.setPen(Qt::white);
    painter.drawText(QRect(4, 2, w - 8, h / 12), Qt::AlignLeft | Qt::AlignVCenter,
                     QString("SCORE %1").arg(shot * 4170 + 230, 6, 10, QChar('0')));
    painter.drawText(QRect(4, 2, w - 8, h / 12), Qt::AlignRight | Qt::AlignVCenter,
                     QString("STAGE %1").arg(shot));
    painter.setFont(Font("DejaVu Sans", h / 26, false));
    painter.setPen(QColor(255, 255, 255, 180));
    painter.drawText(QRect(0, h - h / 14, w - 4, h / 14), Qt::AlignRight | Qt::AlignVCenter,
                     DisplayName(game));
    return image;
}

QImage DrawFlyer(const TSimGame& game, QSize size)
{
    QImage image = Canvas(size, Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    QPainterPath sheet;
    sheet.addRoundedRect(QRectF(0, 0, w, h), w / 14, w / 14);
    painter.setClipPath(sheet);
    QLinearGradient paper(0, 0, w, h);
    paper.setColorAt(0, Shade(game, 0, 230, 250));
    paper.setColorAt(1, Shade(game, 70, 255, 90));
    painter.fillRect(QRectF(0, 0, w, h), paper);

    QRadialGradient planet(QPointF(w * 0.62, h * 0.52), w * 0.32);
    planet.setColorAt(0, Shade(game, 180, 120, 255));
    planet.setColorAt(1, Shade(game, 200, 255, 80));
    painter.setPen(Qt::NoPen);
    painter.setBrush(planet);
    painter.drawEllipse(QPointF(w * 0.62, h * 0.52), w * 0.32, w * 0.32);
    DrawShip(painter, QPointF(w * 0.32, h * 0.62), w / 60.0, QColor(250, 250, 250));
    DrawCritter(painter, QPointF(w * 0.75, h * 0.40), w * 0.08, Shade(game, 120, 220, 240));

    DrawFittedText(painter, QRectF(w * 0.06, h * 0.04, w * 0.88, h * 0.26), DisplayName(game),
                   Font("DejaVu Serif", int(h / 9), true), QColor(255, 245, 200), true);
    static const char* kTaglines[] = {"The arcade sensation of %1!", "One coin. One hero. No mercy.",
                                      "Now in a cabinet near you!", "The high score is waiting for you."};
    QString tagline = kTaglines[NameHash(std::string(game.ZipName)) % 4];
    tagline.replace("%1", QString::number(game.Year));
    DrawFittedText(painter, QRectF(w * 0.08, h * 0.76, w * 0.84, h * 0.08), tagline,
                   Font("DejaVu Sans", int(h / 24), true), Qt::white, true);
    painter.fillRect(QRectF(0, h * 0.88, w, h * 0.12), QColor(0, 0, 0, 170));
    DrawFittedText(painter, QRectF(w * 0.05, h * 0.89, w * 0.9, h * 0.10),
                   QString("%1  -  1 or 2 players  -  %2")
                       .arg(QString::fromStdString(std::string(game.Maker)))
                       .arg(game.Year),
                   Font("DejaVu Sans", int(h / 30), false), QColor(230, 230, 230), false);
    return image;
}

QImage DrawCabinet(const TSimGame& game, QSize size)
{
    QImage image = Canvas(size, Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    const QColor body = Shade(game, 0, 200, 150);
    QPainterPath side;
    side.moveTo(w * 0.16, h * 0.03);
    side.lineTo(w * 0.84, h * 0.03);
    side.lineTo(w * 0.84, h * 0.97);
    side.lineTo(w * 0.16, h * 0.97);
    side.closeSubpath();
    painter.fillPath(side, body.darker(160));
    painter.fillRect(QRectF(w * 0.20, h * 0.04, w * 0.60, h * 0.92), body);

    const QRectF marquee(w * 0.20, h * 0.05, w * 0.60, h * 0.11);
    painter.fillRect(marquee, QColor(255, 250, 225));
    DrawFittedText(painter, marquee.adjusted(4, 2, -4, -2), DisplayName(game).toUpper(),
                   Font("DejaVu Sans", int(h / 16), true), Shade(game, 0, 255, 160), false);

    const QRectF screen(w * 0.25, h * 0.19, w * 0.50, h * 0.30);
    painter.fillRect(screen.adjusted(-4, -4, 4, 4), QColor(20, 20, 20));
    painter.drawImage(screen, DrawTitleScreen(game, QSize(320, 240)));

    QPainterPath panel;
    panel.moveTo(w * 0.20, h * 0.53);
    panel.lineTo(w * 0.80, h * 0.53);
    panel.lineTo(w * 0.86, h * 0.62);
    panel.lineTo(w * 0.14, h * 0.62);
    panel.closeSubpath();
    painter.fillPath(panel, QColor(40, 40, 40));
    painter.setPen(QPen(QColor(200, 200, 200), w / 60));
    painter.drawLine(QPointF(w * 0.35, h * 0.585), QPointF(w * 0.35, h * 0.545));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(220, 30, 30));
    painter.drawEllipse(QPointF(w * 0.35, h * 0.545), w * 0.025, w * 0.025);
    painter.setBrush(QColor(250, 200, 30));
    painter.drawEllipse(QPointF(w * 0.58, h * 0.58), w * 0.03, w * 0.02);
    painter.drawEllipse(QPointF(w * 0.68, h * 0.58), w * 0.03, w * 0.02);

    const QRectF door(w * 0.40, h * 0.70, w * 0.20, h * 0.14);
    painter.fillRect(door, QColor(70, 70, 70));
    painter.fillRect(QRectF(w * 0.44, h * 0.73, w * 0.03, h * 0.04), QColor(240, 120, 30));
    painter.fillRect(QRectF(w * 0.53, h * 0.73, w * 0.03, h * 0.04), QColor(240, 120, 30));
    return image;
}

QList<QRgb> SixteenColours(const TSimGame& game)
{
    QList<QRgb> table{qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(255, 220, 60), qRgb(190, 190, 190)};
    for (int hueShift : {0, 40, 180}) {
        for (int value : {40, 90, 150, 230})
            table.append(Shade(game, hueShift, 220, value).rgb());
    }
    return table;
}

void SavePicture(const QImage& image, const QString& path, TPictureFormat format, const TSimGame& game)
{
    QImage flat = image;
    if (format != TPictureFormat::PngAlpha) {
        // Without alpha a transparent background would turn black; show the cabinet against a wall.
        flat = Canvas(image.size(), QColor(236, 232, 224));
        QPainter painter(&flat);
        painter.drawImage(0, 0, image);
        painter.end();
        flat = flat.convertToFormat(QImage::Format_RGB888);
    }
    switch (format) {
    case TPictureFormat::Pcx256:
        WriteBytes(path, EncodePcx256(ToIndexed(flat, false, {})));
        return;
    case TPictureFormat::Pcx16:
        WriteBytes(path, EncodePcx16(ToIndexed(flat, true, SixteenColours(game))));
        return;
    default:
        break;
    }
    const char* kind = format == TPictureFormat::Jpeg ? "JPG" : format == TPictureFormat::Bmp ? "BMP" : "PNG";
    if (!flat.save(path, kind, format == TPictureFormat::Jpeg ? 88 : -1))
        throw std::runtime_error("cannot write " + path.toStdString());
}
