// A byte source over a block the source owns.
#include "mci/byte_source.h"

namespace {

class MemorySource final : public ByteSource {
  public:
    explicit MemorySource(std::vector<std::byte> bytes)
        : m_bytes(std::move(bytes)) {}
    uint64_t size() const override { return m_bytes.size(); }
    std::span<const std::byte> bytes(uint64_t offset, std::size_t length) const override {
        return std::span<const std::byte>(m_bytes).subspan(static_cast<std::size_t>(offset),
                                                           length);
    }

  private:
    std::vector<std::byte> m_bytes;
};

} // namespace

std::shared_ptr<const ByteSource> makeMemorySource(std::vector<std::byte> bytes) {
    return std::make_shared<MemorySource>(std::move(bytes));
}
