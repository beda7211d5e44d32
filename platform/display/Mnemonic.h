#pragma once
// Button texts of the class library mark their accelerator with "&" ("はい(&Y)";
// "&&" is a literal "&"). GTK marks it with "_" ("はい(_Y)"; "__" is a literal
// "_"). GtkMnemonicLabel converts the first form into the second.

#include <string>

std::string GtkMnemonicLabel(const std::string& text);
