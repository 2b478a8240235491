#include "qt_text.h"

#include "text_encoding.h"

namespace wickly::ui {

QString toQ(std::string_view cp1252)
{
    return QString::fromStdString(cp1252ToUtf8(cp1252));
}

std::string fromQ(const QString& text)
{
    std::string out;
    for (const QChar* p = text.constData(); !p->isNull(); ++p) {
        QString one(*p);
        if (p->isHighSurrogate() && !(p + 1)->isNull()) {
            one += *(p + 1);
            ++p;
        }
        const std::optional<std::string> b = utf8ToCp1252(one.toStdString());
        out += b ? *b : std::string("?");
    }
    return out;
}

} // namespace wickly::ui
