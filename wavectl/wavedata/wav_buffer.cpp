// CWavBuffer::Load opens the file by name once and then only through its OFSTRUCT, so the
// three opens of one load always reach the same file.
#include "wavedata/wav_buffer.h"

#include "base/break_key.h"

namespace {

// The range comes into the block in reads of this size, so that the break key, which a host
// presses when it must end, stops the load of a large file between two of them: one read of a
// whole gigabyte from a busy disk takes seconds.
constexpr std::size_t kReadPiece = std::size_t{16} << 20;

} // namespace

CWavBuffer::CWavBuffer()
    : m_pData(nullptr)
    , m_hData(nullptr)
    , m_ofs{}
    , m_nSize(0) {
}

CWavBuffer::~CWavBuffer() {
    Free();
}

void CWavBuffer::Free() {
    if (m_hData != nullptr) {
        GlobalUnlock(m_hData);
        GlobalFree(m_hData);
    }
    m_hData = nullptr;
    m_nSize = 0;
    m_pData = nullptr;
}

int32_t CWavBuffer::ReopenedSize() {
    const HFILE file = OpenFile(nullptr, &m_ofs, OF_REOPEN);
    if (file == HFILE_ERROR)
        return -1;
    const LONG size = _llseek(file, 0, FILE_END);
    _lclose(file);
    return size;
}

bool CWavBuffer::Allocate(int32_t bytes) {
    m_hData = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(bytes));
    if (m_hData == nullptr)
        return false;
    m_pData = static_cast<uint8_t *>(GlobalLock(m_hData));
    if (m_pData == nullptr) {
        GlobalFree(m_hData);
        m_hData = nullptr;
        return false;
    }
    return true;
}

bool CWavBuffer::ReadRange(int32_t first, int32_t bytes) {
    const HFILE file = OpenFile(nullptr, &m_ofs, OF_REOPEN);
    if (file == HFILE_ERROR)
        return false;
    const bool complete = _llseek(file, first, FILE_BEGIN) == first &&
                          InBreakablePieces(static_cast<std::size_t>(bytes), kReadPiece,
                                            [&](std::size_t at, std::size_t piece) {
                                                const auto count = static_cast<int32_t>(piece);
                                                return _hread(file, m_pData + at, count) == count;
                                            });
    _lclose(file);
    return complete;
}

BOOL CWavBuffer::Load(const char *path, int32_t first, int32_t last) {
    Free();
    const HFILE file = OpenFile(path, &m_ofs, OF_READ);
    if (file == HFILE_ERROR)
        return 0;
    _lclose(file);
    const int32_t size = ReopenedSize();
    if (size < 0)
        return 0;
    if (last == -1 || last >= size)
        last = size - 1;
    if (last < 0)
        last = 0;
    if (first >= size)
        first = size - 1;
    if (first < 0)
        first = 0;
    if (last < first)
        return 0;
    const int32_t bytes = last - first + 1;
    if (!Allocate(bytes))
        return 0;
    if (!ReadRange(first, bytes)) {
        Free();
        return 0;
    }
    m_nSize = bytes;
    return 1;
}
