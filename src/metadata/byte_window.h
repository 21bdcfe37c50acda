// Bounded reading for the container walkers: every read is checked against the end of
// the file and charged to one budget, so a hostile file cannot make a reader run past
// either.
#pragma once

#include "metadata/media_facts.h"

#include <cstdint>
#include <string>
#include <string_view>

class ByteBudget {
public:
    ByteBudget(const std::string& head, uint64_t fileSize, const PieceReader& more);

    uint64_t Size() const { return m_size; }
    const std::string& Head() const { return m_head; }
    // Exactly `size` bytes at `offset` into `out`; false when they lie past the end, the
    // budget is spent or the file cannot be read.
    bool Read(uint64_t offset, std::size_t size, std::string& out);
    // Lets reads in the file's last kMaxMediaBytes draw on kMaxTailBytes of their own
    // first, for the formats that keep their tags at the end.
    void AllowTail() { m_tailLeft = kMaxTailBytes; }
    // How many bytes at `offset` one Read may still take.
    std::size_t Allowance(uint64_t offset) const;

private:
    const std::string& m_head;
    uint64_t m_size;
    const PieceReader& m_more;
    std::size_t m_left;
    std::size_t m_tailLeft = 0;
};

// Numbers in the byte orders of the formats.
uint32_t Big16(std::string_view b, std::size_t at);
uint32_t Big32(std::string_view b, std::size_t at);
uint64_t Big64(std::string_view b, std::size_t at);
uint32_t Little16(std::string_view b, std::size_t at);
uint32_t Little32(std::string_view b, std::size_t at);
