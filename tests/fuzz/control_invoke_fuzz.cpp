// Invoke of every dispatch identifier of the NELOWAV control, with arbitrary argument counts
// and types, reached as a host reaches it: registered into a private registry and created by
// class identifier. Every file the control may touch is in the scratch folder: strings are
// always one of a few fixed names there (one missing, one with a blank), the temporary folder
// and the home folder are there too, and a call never waits for a play or a record. Numbers
// become file names when the control converts them to strings, so the working folder is in the
// scratch folder too: give the corpus and -artifact_prefix as absolute paths.
#include "com/automation_string.h"
#include "com/creation.h"
#include "fuzz_scratch.h"
#include "interface/nelowav_ids.h"
#include "wave_builder.h"

#include <QApplication>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The fuzz input, read a byte at a time; zeros once it runs out.
class Reader {
  public:
    Reader(const uint8_t *data, size_t size)
        : m_data(data)
        , m_size(size) {}
    bool empty() const { return m_at >= m_size; }
    uint8_t byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    uint32_t word() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = value << 8 | byte();
        return value;
    }

  private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_at = 0;
};

Bytes waveFile(uint16_t channels, uint16_t bits, uint32_t frames) {
    return pcmWave(channels, bits, 8000, numberedBytes(size_t{frames} * channels * (bits / 8u)));
}

// The control's files, and the working folder, in which numbers turned into names land too.
const std::filesystem::path &workFolder() {
    static const std::filesystem::path folder = FuzzScratch::path() / "work";
    return folder;
}

const std::array<std::string, 5> &fileNames() {
    static const std::array<std::string, 5> names = [] {
        std::array<std::string, 5> paths;
        const char *leaves[] = {"tone.wav", "eight bit.wav", "missing.wav", "not a wave.wav",
                                "saved.wav"};
        for (size_t i = 0; i < paths.size(); ++i)
            paths[i] = (workFolder() / leaves[i]).string();
        return paths;
    }();
    return names;
}

// Every input starts from the same files, and nothing else in the working folder.
void resetFiles() {
    for (const auto &entry : std::filesystem::directory_iterator(workFolder()))
        std::filesystem::remove_all(entry.path());
    writeFile(fileNames()[0], waveFile(1, 16, 400));
    writeFile(fileNames()[1], waveFile(2, 8, 300));
    writeFile(fileNames()[3], bytesOf(std::string_view("RIFF\0\0", 6)));
}

constexpr std::array<DISPID, 28> kDispatchIds = {
    0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
    14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, DISPID_VALUE - 1};

constexpr std::array<VARTYPE, 16> kTypes = {VT_EMPTY,
                                            VT_NULL,
                                            VT_I2,
                                            VT_I4,
                                            VT_R4,
                                            VT_R8,
                                            VT_BOOL,
                                            VT_BSTR,
                                            VT_ERROR,
                                            VT_DISPATCH,
                                            VT_UNKNOWN,
                                            VT_BYREF | VT_I2,
                                            VT_BYREF | VT_I4,
                                            VT_BYREF | VT_BSTR,
                                            VT_BYREF | VT_VARIANT,
                                            0x7F};

// What by-reference arguments point to; sized before each call to what the array methods
// may read or write, as an honest host's array would be.
struct ArgumentStore {
    std::vector<int16_t> shorts;
    std::array<int32_t, 8> longs{};
    std::array<BSTR, 8> strings{};
    std::array<VARIANT, 8> variants{};
};

VARIANT argument(Reader &input, ArgumentStore &store, size_t slot) {
    VARIANT v{};
    v.vt = kTypes[input.byte() % kTypes.size()];
    const uint32_t bits = input.word();
    switch (v.vt) {
    case VT_I2:
    case VT_BOOL:
        v.iVal = static_cast<int16_t>(bits);
        break;
    case VT_R4: {
        float value;
        std::memcpy(&value, &bits, sizeof value);
        v.fltVal = value;
        break;
    }
    case VT_R8:
        v.dblVal = static_cast<double>(static_cast<int32_t>(bits)) / 16.0;
        break;
    case VT_BSTR:
        v.bstrVal = bstrFromUtf8(fileNames()[bits % fileNames().size()]);
        break;
    case VT_BYREF | VT_I2:
        v.piVal = store.shorts.data();
        break;
    case VT_BYREF | VT_I4:
        store.longs[slot] = static_cast<int32_t>(bits);
        v.plVal = &store.longs[slot];
        break;
    case VT_BYREF | VT_BSTR:
        store.strings[slot] = bstrFromUtf8(fileNames()[bits % fileNames().size()]);
        v.pbstrVal = &store.strings[slot];
        break;
    case VT_BYREF | VT_VARIANT:
        store.variants[slot] = VARIANT{};
        store.variants[slot].vt = VT_I4;
        store.variants[slot].lVal = static_cast<int32_t>(bits);
        v.pvarVal = &store.variants[slot];
        break;
    case VT_DISPATCH:
    case VT_UNKNOWN:
        v.punkVal = nullptr;
        break;
    default:
        v.lVal = static_cast<int32_t>(bits);
    }
    return v;
}

int32_t callForNumber(IDispatch *control, DISPID dispid) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT result{};
    control->Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr);
    const int32_t value = result.vt == VT_I4 ? result.lVal : result.vt == VT_I2 ? result.iVal : 0;
    VariantClear(&result);
    return value;
}

void invokeOne(IDispatch *control, Reader &input) {
    const DISPID dispid = kDispatchIds[input.byte() % kDispatchIds.size()];
    const uint8_t shape = input.byte();
    const size_t count = shape % 5u;
    ArgumentStore store;
    const int32_t samples = callForNumber(control, dispidGetLength) *
                            std::max(callForNumber(control, dispidGetNumChannels), 1);
    store.shorts.assign(static_cast<size_t>(std::max(samples, 0)) + 1, 0);
    std::vector<VARIANT> args;
    for (size_t slot = 0; slot < count; ++slot)
        args.push_back(argument(input, store, slot));
    // A play or record that is waited for would run for as long as the fuzzer asks.
    if ((dispid == dispidPlay || dispid == dispidRecord) && count == 3) {
        VariantClear(&args[0]);
        args[0].vt = VT_BOOL;
        args[0].boolVal = VARIANT_FALSE;
    }
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{args.data(), &named, static_cast<uint32_t>(args.size()),
                      (shape & 0x80) != 0 && count > 0 ? 1u : 0u};
    const uint16_t flags = (shape & 0x40) != 0 ? DISPATCH_PROPERTYGET : DISPATCH_METHOD;
    VARIANT result{};
    uint32_t argErr = 0;
    control->Invoke(dispid, IID_NULL, 0, flags, &params, (shape & 0x20) ? nullptr : &result,
                    nullptr, &argErr);
    VariantClear(&result);
    for (VARIANT &arg : args)
        VariantClear(&arg);
    for (BSTR text : store.strings)
        SysFreeString(text);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    const std::string home = FuzzScratch::path().string();
    std::filesystem::create_directory(FuzzScratch::path() / "tmp");
    std::filesystem::create_directory(workFolder());
    setenv("HOME", home.c_str(), 1);
    setenv("TMPDIR", (home + "/tmp").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", home.c_str(), 1);
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    setenv("KORVANE_COM_REGISTRY", (home + "/com-registry").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (::chdir(workFolder().c_str()) != 0)
        std::abort();
    static int argc = 1;
    static char name[] = "control_invoke_fuzz";
    static char *argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    void *module = dlopen(NELOWAV_MODULE, RTLD_NOW);
    auto registerServer = module != nullptr
                              ? reinterpret_cast<HRESULT (*)()>(dlsym(module, "DllRegisterServer"))
                              : nullptr;
    if (registerServer == nullptr || registerServer() != S_OK)
        std::abort();
    return 0;
}

// Calls one after another: a byte picks the member, a byte the argument count and the call's
// form, then a type byte and four value bytes for each argument.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    resetFiles();
    {
        ComPtr<IDispatch> control;
        if (CoCreateInstance(CLSID_NeloWav, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                             control.putVoid()) != S_OK)
            std::abort();
        Reader input(data, size);
        while (!input.empty())
            invokeOne(control.get(), input);
        QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    return 0;
}
