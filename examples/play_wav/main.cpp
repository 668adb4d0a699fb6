// play_wav: plays the WAV file named on its command line through the NELOWAV control, after
// printing its length, channels, bits and rate, and exits when the control says it is done.
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <nelowav/host.h>
#include <string>

namespace {

enum ExitStatus { Played = 0, Usage = 1, NoControl = 2, NotOpened = 3, NotPlayed = 4 };

// A long file plays for as long as it lasts; a play that never ends is what this limit catches.
constexpr std::chrono::hours kLongestPlay{24};

// A method without arguments whose value is a number.
int32_t number(ControlSite &site, DISPID method) {
    VARIANT value;
    VariantInit(&value);
    if (FAILED(site.invoke(method, {}, &value)) ||
        FAILED(VariantChangeType(&value, &value, 0, VT_I4)))
        value.lVal = -1;
    const int32_t result = value.lVal;
    VariantClear(&value);
    return result;
}

// The control's last error, as "CODE: TEXT".
std::string lastError(ControlSite &site) {
    VARIANT text;
    VariantInit(&text);
    std::string message = std::to_string(number(site, dispidGetErrorCode));
    if (SUCCEEDED(site.invoke(dispidGetErrorMessage, {}, &text)) && text.vt == VT_BSTR)
        message += ": " + utf8FromBstr(text.bstrVal);
    VariantClear(&text);
    return message;
}

int fail(ExitStatus status, const std::string &message) {
    std::fprintf(stderr, "play_wav: %s\n", message.c_str());
    return status;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2)
        return fail(Usage, "usage: play_wav FILE.wav");
    // The control's events arrive through the Qt event loop of this thread.
    QCoreApplication application(argc, argv);

    ControlSite site;
    std::string error;
    int16_t doneCode = 0;
    if (FAILED(site.create(kNeloWavProgId, error)) ||
        FAILED(site.advise(
            [&doneCode](DISPID event, std::span<const VARIANT> args) {
                if (event == eventidDone && args.size() == 1 && args[0].vt == VT_I2)
                    doneCode = args[0].iVal;
            },
            error)))
        return fail(NoControl, error);

    VARIANT file;
    VariantInit(&file);
    file.vt = VT_BSTR;
    file.bstrVal = bstrFromUtf8(argv[1]);
    const HRESULT opened = site.invoke(dispidOpen, {&file, 1});
    VariantClear(&file);
    if (FAILED(opened) || number(site, dispidGetErrorCode) != 0)
        return fail(NotOpened, std::string("cannot open ") + argv[1] + ": " +
                                   (FAILED(opened) ? hresultText(opened) : lastError(site)));
    std::printf("length %d samples, %d channels, %d bits, %d samples per second\n",
                number(site, dispidGetLength), number(site, dispidGetNumChannels),
                number(site, dispidGetNumBits), number(site, dispidGetSamplingRate));

    VARIANT args[3];
    for (VARIANT &arg : args) {
        arg.vt = VT_I4;
        arg.lVal = -1; // from where it stands (the start, once opened) to the end
    }
    args[2].vt = VT_BOOL;
    args[2].boolVal = VARIANT_FALSE; // return at once: Done tells the end
    const HRESULT played = site.invoke(dispidPlay, args);
    if (FAILED(played) || number(site, dispidGetErrorCode) != 0)
        return fail(NotPlayed,
                    "cannot play: " + (FAILED(played) ? hresultText(played) : lastError(site)));
    if (site.waitForEvent(kLongestPlay) != S_OK)
        return fail(NotPlayed, "the play did not end");
    if (doneCode != doneSuccessful)
        return fail(NotPlayed, "the play ended with Done " + std::to_string(doneCode));
    std::printf("played to the end\n");
    return Played;
}
