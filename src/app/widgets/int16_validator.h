// What the typed-value boxes of the second panel page accept: a whole number
// that fits in 16 bits, or the beginning of one ("" and "-"). Whatever the
// user types or pastes, anything else is refused.
#pragma once

#include <QValidator>

namespace qudrim::app {

class Int16Validator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

}  // namespace qudrim::app
