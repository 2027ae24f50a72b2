#include "controllers/SettingsPageText.h"

#include <algorithm>

#include <QByteArray>

QString GammaText(int position)
{
    return QString::number(position / 10) + "." + QString::number(position % 10);
}

int SpinEditTextValue(const QString& text, int minimum, int maximum)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return std::clamp(ok ? value : minimum, minimum, maximum);
}

std::string StoredText(const QString& text, std::size_t maxBytes)
{
    std::string stored;
    for (qsizetype i = 0; i < text.size();) {
        // A surrogate pair is one character and is kept or dropped whole.
        const qsizetype length = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QByteArray bytes = text.mid(i, length).toUtf8();
        if (stored.size() + static_cast<std::size_t>(bytes.size()) > maxBytes) {
            break;
        }
        stored.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        i += length;
    }
    return stored;
}
