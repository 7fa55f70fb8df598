#include "app/dialogs/header_text.h"

#include "chart/spl_types.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// The ICU name of code page 932 (Microsoft's Shift-JIS).
constexpr const char* CP932 = "windows-31j";

} // namespace

bool IsUtf8(const std::string& bytes) {
    size_t i = 0;
    const size_t n = bytes.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        int more = 0;
        unsigned min = 0;
        unsigned code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            more = 1, min = 0x80, code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            more = 2, min = 0x800, code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            more = 3, min = 0x10000, code = c & 0x07;
        } else {
            return false;
        }
        if (i + static_cast<size_t>(more) >= n) return false;
        for (int k = 1; k <= more; ++k) {
            const auto d = static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]);
            if ((d & 0xC0) != 0x80) return false;
            code = (code << 6) | (d & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += static_cast<size_t>(more) + 1;
    }
    return true;
}

QString DecodeHeaderText(const std::string& bytes) {
    const QByteArray data = QByteArray::fromStdString(bytes);
    if (IsUtf8(bytes)) return QString::fromUtf8(data);
    QStringDecoder decoder(CP932);
    if (!decoder.isValid()) return QString::fromLocal8Bit(data);
    return decoder.decode(data);
}

HeaderEncoding HeaderEncodingOf(const SplChart& chart) {
    for (const SplTag& tag : chart.tags)
        if (!IsUtf8(tag.value) || !IsUtf8(tag.name)) return HeaderEncoding::Cp932;
    return HeaderEncoding::Utf8;
}

std::string EncodeHeaderText(const QString& text, HeaderEncoding encoding) {
    if (encoding == HeaderEncoding::Utf8) return text.toUtf8().toStdString();
    if (!QStringEncoder(CP932).isValid()) return text.toLocal8Bit().toStdString();
    std::string out;
    // One character at a time, so that one the code page lacks becomes "?" alone.
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString one = text.mid(i, len);
        QStringEncoder single(CP932);
        const QByteArray bytes = single.encode(one);
        out += single.hasError() || bytes.isEmpty() ? std::string("?") : bytes.toStdString();
        i += len;
    }
    return out;
}
