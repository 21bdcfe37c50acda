#include "metadata/byte_window.h"

#include <algorithm>

ByteBudget::ByteBudget(const std::string& head, uint64_t fileSize, const PieceReader& more)
    : m_head(head), m_size(std::max<uint64_t>(fileSize, head.size())), m_more(more), m_left(kMaxMediaBytes) {
    m_left -= std::min(m_left, head.size());
}

bool ByteBudget::Read(uint64_t offset, std::size_t size, std::string& out) {
    if (offset > m_size || size > m_size - offset) return false;
    if (offset + size <= m_head.size()) {
        out.assign(m_head, static_cast<std::size_t>(offset), size);
        return true;
    }
    if (!m_more) return false;
    const bool inTail = m_size - offset <= kMaxMediaBytes && size <= m_tailLeft;
    std::size_t& left = inTail ? m_tailLeft : m_left;
    if (size > left) return false;
    left -= size;
    return m_more(offset, size, out) && out.size() == size;
}

std::size_t ByteBudget::Allowance(uint64_t offset) const {
    if (offset >= m_size) return 0;
    const uint64_t rest = m_size - offset;
    std::size_t can = offset < m_head.size() ? m_head.size() - static_cast<std::size_t>(offset) : 0;
    if (m_more) can = std::max({can, m_left, rest <= kMaxMediaBytes ? m_tailLeft : 0});
    return static_cast<std::size_t>(std::min<uint64_t>(rest, can));
}

uint32_t Big16(std::string_view b, std::size_t at) {
    return (uint32_t{static_cast<unsigned char>(b[at])} << 8) | static_cast<unsigned char>(b[at + 1]);
}
uint32_t Big32(std::string_view b, std::size_t at) { return (Big16(b, at) << 16) | Big16(b, at + 2); }
uint64_t Big64(std::string_view b, std::size_t at) { return (uint64_t{Big32(b, at)} << 32) | Big32(b, at + 4); }
uint32_t Little16(std::string_view b, std::size_t at) {
    return (uint32_t{static_cast<unsigned char>(b[at + 1])} << 8) | static_cast<unsigned char>(b[at]);
}
uint32_t Little32(std::string_view b, std::size_t at) { return (Little16(b, at + 2) << 16) | Little16(b, at); }
