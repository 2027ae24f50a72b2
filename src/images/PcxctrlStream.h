#pragma once
// A read-only stream over bytes in memory, with the read error the PCX decoder raises past their end.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string_view>

// A PCX file that cannot be decoded; what() says why.
class TPcxError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class TPcxInStream
{
public:
    explicit TPcxInStream(std::string_view bytes) : m_bytes(bytes) {}

    std::int64_t Size() const { return static_cast<std::int64_t>(m_bytes.size()); }
    std::int64_t Position() const { return m_position; }
    void SetPosition(std::int64_t position) { m_position = std::clamp<std::int64_t>(position, 0, Size()); }
    std::int64_t Remaining() const { return Size() - m_position; }

    // Copies up to count bytes and returns how many there were.
    std::int64_t Read(void* target, std::int64_t count)
    {
        const std::int64_t n = std::clamp<std::int64_t>(count, 0, Remaining());
        if (n > 0)
            std::memcpy(target, m_bytes.data() + m_position, static_cast<std::size_t>(n));
        m_position += n;
        return n;
    }
    // Copies exactly count bytes or throws, leaving the position where it was.
    void ReadBuffer(void* target, std::int64_t count)
    {
        if (count < 0 || count > Remaining())
            throw TPcxError("The PCX file ends too early");
        Read(target, count);
    }

private:
    std::string_view m_bytes;
    std::int64_t m_position = 0;
};
