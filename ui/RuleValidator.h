// A line edit's validator that asks one of core's or store's rules whether
// the text as typed may stand.
#pragma once

#include <QValidator>
#include <string_view>

#include "ui/Text.h"

namespace mv::ui {

class RuleValidator : public QValidator {
 public:
  using Rule = bool (*)(std::string_view text);
  RuleValidator(Rule rule, QObject* parent) : QValidator(parent), rule_(rule) {}

  State validate(QString& input, int&) const override { return rule_(W(input)) ? Acceptable : Invalid; }

 private:
  Rule rule_;
};

}  // namespace mv::ui
