// The update check: one GET of the published version text.
#pragma once

#include <optional>
#include <string>

// The program's own addresses; a deployment overrides them (update_check_address, site_address).
inline constexpr const char* KELVOR_UPDATE_ADDRESS =
    "https://www.kelvor.example/updates/kelvorver.txt";
inline constexpr const char* KELVOR_SITE_ADDRESS = "https://www.kelvor.example/download/";

// Longest the transfer may take.
inline constexpr long UPDATE_CHECK_TIMEOUT_SECONDS = 10;
// Largest version text taken; a longer answer is a failure.
inline constexpr std::size_t MAX_VERSION_TEXT = 64 * 1024;

// The shown text when the version could not be had.
inline constexpr const char* VERSION_NOT_AVAILABLE = "Not available";

// The update-check address: $KELVOR_UPDATE_URL when set and not empty, else `setting` when not
// empty, else the program's own.
std::string update_check_address(const std::string& setting);
// The download site the dialog links to: $KELVOR_SITE_URL, else `setting`, else the program's.
std::string site_address(const std::string& setting);

// Fetches `address` (http or https, redirects followed up to ten times) within
// `timeout_seconds`. The body as received, or nullopt when the transfer failed in any way:
// no connection, an error status of the server, a time-out, or a body over MAX_VERSION_TEXT.
std::optional<std::string> fetch_version_text(const std::string& address, long timeout_seconds);

// The received text, or "Not available".
std::string latest_version_text(const std::string& address,
                                long timeout_seconds = UPDATE_CHECK_TIMEOUT_SECONDS);
