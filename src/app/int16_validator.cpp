#include "app/int16_validator.h"

#include "draw/base_draw.h"

namespace qudrim::app {

QValidator::State Int16Validator::validate(QString& input, int&) const
{
    if (input.isEmpty() || input == QLatin1String("-"))
        return Intermediate;
    for (qsizetype i = 0; i < input.size(); ++i) {
        const char16_t c = input[i].unicode();
        const bool digit = c >= u'0' && c <= u'9';
        if (!digit && !(c == u'-' && i == 0))
            return Invalid;
    }
    return toInt16(input.toStdString()) ? Acceptable : Invalid;
}

}  // namespace qudrim::app
