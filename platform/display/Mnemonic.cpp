#include "platform/display/Mnemonic.h"

std::string GtkMnemonicLabel(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + 2);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                out += '&';
                ++i;
            } else if (i + 1 < text.size()) {
                out += '_';
            }
            // A lone "&" at the very end marks nothing and is dropped.
        } else if (c == '_') {
            out += "__";
        } else {
            out += c;
        }
    }
    return out;
}
