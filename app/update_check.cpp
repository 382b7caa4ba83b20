// The update check with libcurl's easy interface.
#include "update_check.h"

#include "kelvor_version.h"

#include <curl/curl.h>

#include <cstdlib>

namespace {

std::string choose(const char* variable, const std::string& setting, const char* fallback) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] != '\0') {
        return value;
    }
    return setting.empty() ? std::string(fallback) : setting;
}

// Appends a received block to the text; a text that grows too long ends the transfer.
std::size_t append_block(char* data, std::size_t size, std::size_t count, void* user) {
    auto* text = static_cast<std::string*>(user);
    const std::size_t bytes = size * count;
    if (text->size() + bytes > MAX_VERSION_TEXT) {
        return 0;
    }
    text->append(data, bytes);
    return bytes;
}

} // namespace

std::string update_check_address(const std::string& setting) {
    return choose("KELVOR_UPDATE_URL", setting, KELVOR_UPDATE_ADDRESS);
}

std::string site_address(const std::string& setting) {
    return choose("KELVOR_SITE_URL", setting, KELVOR_SITE_ADDRESS);
}

std::optional<std::string> fetch_version_text(const std::string& address, long timeout_seconds) {
    CURL* handle = curl_easy_init();
    if (handle == nullptr) {
        return std::nullopt;
    }
    std::string text;
    curl_easy_setopt(handle, CURLOPT_URL, address.c_str());
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, append_block);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &text);
    curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_TIMEOUT, timeout_seconds);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, timeout_seconds);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_USERAGENT, KELVOR_VERSION_TEXT);
    const CURLcode result = curl_easy_perform(handle);
    curl_easy_cleanup(handle);
    if (result != CURLE_OK) {
        return std::nullopt;
    }
    return text;
}

std::string latest_version_text(const std::string& address, long timeout_seconds) {
    const auto text = fetch_version_text(address, timeout_seconds);
    return text ? *text : std::string(VERSION_NOT_AVAILABLE);
}
