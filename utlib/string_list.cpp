// Loading a text file into a string_list.
#include "string_list.h"

#include "error_handler.h"
#include "message_catalogue.h"
#include "qvfileio.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

string_list::string_list(Error_Handler* handler, const char* file_name) {
    init_string_list(handler, file_name);
}

void string_list::clear() {
    m_lines.clear();
    m_text.reset();
}

unsigned string_list::get_maxstrlen() const {
    std::size_t longest = 0;
    for (const char* text : m_lines) {
        longest = std::max(longest, std::strlen(text));
    }
    return static_cast<unsigned>(longest);
}

void string_list::init_string_list(Error_Handler* handler, const char* file_name) {
    qvfileio file(handler, file_name, QV_GENERIC_READ, QV_SHARE_READ);
    const uint32_t size = file.get_file_size();
    if (size == 0) {
        file.throw_error_code(MSG_FILE_SIZE_ZERO);
    }
    auto buffer = std::make_unique_for_overwrite<char[]>(std::size_t{size} + 2);
    file.read(buffer.get(), size);
    adopt_text(handler, std::move(buffer), size);
}

void string_list::set_text(Error_Handler* handler, const char* data, std::size_t size) {
    auto copy = std::make_unique_for_overwrite<char[]>(size + 1);
    std::memcpy(copy.get(), data, size);
    adopt_text(handler, std::move(copy), size);
}

namespace {

// The files run to hundreds of thousands of short lines, so the text is gone over sixteen bytes
// at a time where SSE2 is there (every x86-64): once to check it and count its lines, once to
// cut it.

bool is_bad_byte(unsigned char byte) {
    return byte < 30 && !is_text_byte(byte);
}

// The number of line feeds in the text, or nothing when it holds a byte a text may not hold.
std::optional<std::size_t> count_line_feeds(const char* text, std::size_t size) {
    std::size_t feeds = 0;
    bool bad = false;
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i feed = _mm_set1_epi8('\n');
    const __m128i highest_control = _mm_set1_epi8(29);
    __m128i bad_bytes = _mm_setzero_si128();
    // Line feeds are counted in sixteen byte-wide counters, added up before they can overflow.
    __m128i feed_counts = _mm_setzero_si128();
    int blocks_counted = 0;
    const auto add_up_feeds = [&] {
        const __m128i sums = _mm_sad_epu8(feed_counts, _mm_setzero_si128());
        feeds += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
                 static_cast<std::size_t>(_mm_extract_epi16(sums, 4));
        feed_counts = _mm_setzero_si128();
        blocks_counted = 0;
    };
    for (; i + 16 <= size; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        const __m128i is_feed = _mm_cmpeq_epi8(block, feed);
        // At most 29 (unsigned), and none of the control bytes a text may hold.
        const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(block, highest_control), block);
        const __m128i allowed = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(block, _mm_setzero_si128()),
                         _mm_cmpeq_epi8(block, _mm_set1_epi8(9))),
            _mm_or_si128(_mm_or_si128(is_feed, _mm_cmpeq_epi8(block, _mm_set1_epi8(13))),
                         _mm_cmpeq_epi8(block, _mm_set1_epi8(26))));
        bad_bytes = _mm_or_si128(bad_bytes, _mm_andnot_si128(allowed, control));
        feed_counts = _mm_sub_epi8(feed_counts, is_feed); // a match is -1
        if (++blocks_counted == 255) {
            add_up_feeds();
        }
    }
    add_up_feeds();
    bad = _mm_movemask_epi8(bad_bytes) != 0;
#endif
    for (; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        bad = bad || is_bad_byte(byte);
        feeds += byte == '\n' ? 1 : 0;
    }
    if (bad) {
        return std::nullopt;
    }
    return feeds;
}

// Cuts the text at its line feeds, which become the lines' terminators, as does a carriage
// return before one; empty lines are left out. Text after the last line feed is a line too.
void cut_lines(char* text, std::size_t size, std::vector<char*>& lines) {
    std::size_t start = 0;
    const auto line_end = [&](std::size_t end) {
        text[end] = '\0';
        if (end > start) {
            if (text[end - 1] == '\r') {
                text[end - 1] = '\0';
            }
            lines.push_back(text + start);
        }
        start = end + 1;
    };
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i feed = _mm_set1_epi8('\n');
    for (; i + 16 <= size; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        auto feeds = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, feed)));
        for (; feeds != 0; feeds &= feeds - 1) {
            line_end(i + static_cast<unsigned>(std::countr_zero(feeds)));
        }
    }
#endif
    for (; i < size; ++i) {
        if (text[i] == '\n') {
            line_end(i);
        }
    }
    if (start < size) {
        lines.push_back(text + start);
    }
}

} // namespace

void string_list::adopt_text(Error_Handler* handler, std::unique_ptr<char[]> owned,
                             std::size_t size) {
    clear();
    const std::optional<std::size_t> feeds = count_line_feeds(owned.get(), size);
    if (!feeds) {
        handler->set_error_type(ET_ERROR);
        handler->set_error_code(MSG_NOT_ASCII_TEXT);
        throw handler;
    }
    m_text = std::move(owned);
    m_text[size] = '\0';
    m_lines.reserve(*feeds + 1);
    cut_lines(m_text.get(), size, m_lines);
}
