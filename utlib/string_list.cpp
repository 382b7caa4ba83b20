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

void string_list::set_file_text(Error_Handler* handler, std::string_view bytes) {
    if (bytes.empty()) {
        handler->set_error_code(MSG_FILE_SIZE_ZERO);
        throw handler;
    }
    set_text(handler, bytes.data(), bytes.size());
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

// How the lines of a text end. A text holding a line feed ends its lines in line feeds, with
// or without a carriage return before them (a CR LF file is the usual case), unless its first
// line feed has a carriage return after it and none before: then every line ends in a line
// feed and the carriage return that follows it (LF CR). A text without line feeds ends its lines
// in carriage returns alone.
enum class Line_Ends { feed, feed_return, carriage_return };

struct Line_Breaks {
    std::size_t feeds = 0;
    std::size_t returns = 0;
};

Line_Ends line_ends_of(const char* text, std::size_t size, const Line_Breaks& breaks) {
    if (breaks.feeds == 0) {
        return breaks.returns == 0 ? Line_Ends::feed : Line_Ends::carriage_return;
    }
    const auto first = static_cast<std::size_t>(
        static_cast<const char*>(std::memchr(text, '\n', size)) - text);
    if (first + 1 < size && text[first + 1] == '\r' && (first == 0 || text[first - 1] != '\r')) {
        return Line_Ends::feed_return;
    }
    return Line_Ends::feed;
}

// The number of line feeds and carriage returns in the text, or nothing when it holds a byte a
// text may not hold.
std::optional<Line_Breaks> count_line_breaks(const char* text, std::size_t size) {
    Line_Breaks breaks;
    bool bad = false;
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i feed = _mm_set1_epi8('\n');
    const __m128i carriage_return = _mm_set1_epi8('\r');
    const __m128i highest_control = _mm_set1_epi8(29);
    __m128i bad_bytes = _mm_setzero_si128();
    // Line breaks are counted in sixteen byte-wide counters each, added up before they can
    // overflow.
    __m128i feed_counts = _mm_setzero_si128();
    __m128i return_counts = _mm_setzero_si128();
    int blocks_counted = 0;
    const auto sum_of = [](__m128i counts) {
        const __m128i sums = _mm_sad_epu8(counts, _mm_setzero_si128());
        return static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
               static_cast<std::size_t>(_mm_extract_epi16(sums, 4));
    };
    const auto add_up_breaks = [&] {
        breaks.feeds += sum_of(feed_counts);
        breaks.returns += sum_of(return_counts);
        feed_counts = _mm_setzero_si128();
        return_counts = _mm_setzero_si128();
        blocks_counted = 0;
    };
    for (; i + 16 <= size; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        const __m128i is_feed = _mm_cmpeq_epi8(block, feed);
        const __m128i is_return = _mm_cmpeq_epi8(block, carriage_return);
        // At most 29 (unsigned), and none of the control bytes a text may hold.
        const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(block, highest_control), block);
        const __m128i allowed = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(block, _mm_setzero_si128()),
                         _mm_cmpeq_epi8(block, _mm_set1_epi8(9))),
            _mm_or_si128(_mm_or_si128(is_feed, is_return),
                         _mm_cmpeq_epi8(block, _mm_set1_epi8(26))));
        bad_bytes = _mm_or_si128(bad_bytes, _mm_andnot_si128(allowed, control));
        feed_counts = _mm_sub_epi8(feed_counts, is_feed); // a match is -1
        return_counts = _mm_sub_epi8(return_counts, is_return);
        if (++blocks_counted == 255) {
            add_up_breaks();
        }
    }
    add_up_breaks();
    bad = _mm_movemask_epi8(bad_bytes) != 0;
#endif
    for (; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        bad = bad || is_bad_byte(byte);
        breaks.feeds += byte == '\n' ? 1 : 0;
        breaks.returns += byte == '\r' ? 1 : 0;
    }
    if (bad) {
        return std::nullopt;
    }
    return breaks;
}

// Cuts the text at its line ends, which become the lines' terminators: with line feeds, a
// carriage return before one is part of the line end; with LF CR, the carriage return after
// one. Every line end makes a line, empty or not, so a text has the lines, and the line
// numbers, of its CR LF twin. Text after the last line end is a line too.
void cut_lines(char* text, std::size_t size, Line_Ends ends, std::vector<char*>& lines) {
    std::size_t start = 0;
    const auto line_end = [&](std::size_t end) {
        text[end] = '\0';
        if (ends == Line_Ends::feed && end > start && text[end - 1] == '\r') {
            text[end - 1] = '\0';
        }
        lines.push_back(text + start);
        start = end + 1;
        if (ends == Line_Ends::feed_return && start < size && text[start] == '\r') {
            text[start++] = '\0';
        }
    };
    const char terminator = ends == Line_Ends::carriage_return ? '\r' : '\n';
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi8(terminator);
    for (; i + 16 <= size; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        auto found = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, wanted)));
        for (; found != 0; found &= found - 1) {
            line_end(i + static_cast<unsigned>(std::countr_zero(found)));
        }
    }
#endif
    for (; i < size; ++i) {
        if (text[i] == terminator) {
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
    const std::optional<Line_Breaks> breaks = count_line_breaks(owned.get(), size);
    if (!breaks) {
        handler->set_error_type(ET_ERROR);
        handler->set_error_code(MSG_NOT_ASCII_TEXT);
        throw handler;
    }
    const Line_Ends ends = line_ends_of(owned.get(), size, *breaks);
    m_text = std::move(owned);
    m_text[size] = '\0';
    m_lines.reserve((ends == Line_Ends::carriage_return ? breaks->returns : breaks->feeds) + 1);
    cut_lines(m_text.get(), size, ends, m_lines);
}
