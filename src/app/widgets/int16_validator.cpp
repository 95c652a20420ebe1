#include "app/widgets/int16_validator.h"

#include "app/widgets/digits.h"
#include "draw/base_draw.h"

namespace qudrim::app {

QValidator::State Int16Validator::validate(QString& input, int&) const
{
    if (input.isEmpty() || input == QLatin1String("-"))
        return Intermediate;
    for (qsizetype i = 0; i < input.size(); ++i) {
        if (!isAsciiDigit(input[i]) && !(input[i] == QLatin1Char('-') && i == 0))
            return Invalid;
    }
    return toInt16(input.toStdString()) ? Acceptable : Invalid;
}

}  // namespace qudrim::app
