// Report texts of conversions and audits.
#include "data_findings.h"

std::string text_cut_warning(std::string_view keyword, std::size_t kept, std::size_t lost) {
    return std::string(keyword) + " cut to " + std::to_string(kept) + " characters (" +
           std::to_string(lost) + " lost)";
}

std::string rounded_warning(std::string_view keyword, std::string_view text) {
    return std::string(keyword) + " rounded to " + std::string(text);
}

std::string not_kept_text(const std::vector<std::string>& fields) {
    std::string text;
    for (const std::string& field : fields) {
        text += text.empty() ? "not kept: " : ", ";
        text += field;
    }
    return text;
}
