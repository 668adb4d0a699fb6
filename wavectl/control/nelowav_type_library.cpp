// The control's type library, embedded in the module: the interface and event tables with
// their parameter names and types, read by hosts and by the control's own dispatch.
#include "com/type_info.h"

namespace {

constexpr const char kTypeLibrary[] = R"IDL(
[uuid(8FB95F53-37C4-43E6-B162-9FAF79594AEC), version(1.0), lcid(0),
 helpstring("NELOWAV wave sound control module"), control]
library NelowavLib
{
    [uuid(8FB95F51-37C4-43E6-B162-9FAF79594AEC), helpstring("Dispatch interface for the Pardane Wave Control")]
    dispinterface _DNeloWav
    {
    properties:
    methods:
        [id(1), helpstring("Opens a WAV file")] void Open(BSTR WavFilename);
        [id(2), helpstring("Code of the last reported outcome")] long GetErrorCode();
        [id(3), helpstring("Plays a range of samples")] void Play(long From, long To, VARIANT_BOOL Wait);
        [id(4), helpstring("Stops playing or recording")] void Stop();
        [id(5), helpstring("Moves to a sample position")] void Seek(long To);
        [id(6), helpstring("Length in samples")] long GetLength();
        [id(7), helpstring("Position in samples")] long GetPosition();
        [id(8), helpstring("Bits per sample")] short GetNumBits();
        [id(9), helpstring("Number of channels")] short GetNumChannels();
        [id(10), helpstring("Reads the samples into a 16-bit array")] void WavFileToArray(short* pArray, long ArrayLength);
        [id(11), helpstring("Writes the samples from a 16-bit array")] void ArrayToWavFile(short* pArray, long ArrayLength);
        [id(12), helpstring("Mode of the media device")] long GetMode();
        [id(13), helpstring("Records into a range of samples")] void Record(long From, long To, VARIANT_BOOL Wait);
        [id(14), helpstring("Saves to the open file")] void Save();
        [id(15), helpstring("Deletes a range of samples")] void Delete(long From, long To);
        [id(16), helpstring("Pauses or resumes")] void Pause();
        [id(17), helpstring("Saves to another file")] void SaveAs(BSTR WavFilename);
        [id(18), helpstring("Name of the open file")] BSTR GetWavFilename();
        [id(19), helpstring("Samples per second")] long GetSamplingRate();
        [id(20), helpstring("Changes the samples per second")] void SetSamplingRate(long SamplingRate);
        [id(21), helpstring("Closes the file")] void Close();
        [id(22), helpstring("Scales the volume of a range")] void ChangeVolume(long From, long To, float Factor);
        [id(23), helpstring("Text of the last reported outcome")] BSTR GetErrorMessage();
        [id(24), helpstring("Copies a range to the clip file")] void Copy(long From, long To);
        [id(25), helpstring("Pastes the clip file over a range")] void Paste(long From, long To);
        [id(-552), helpstring("Shows the about box")] void AboutBox();
    };

    [uuid(8FB95F52-37C4-43E6-B162-9FAF79594AEC), helpstring("Event interface for the Pardane Wave Control")]
    dispinterface _DNeloWavEvents
    {
    properties:
    methods:
        [id(1), helpstring("A play or record has ended")] void Done(short NotifyCode);
    };

    [uuid(8FB95F50-37C4-43E6-B162-9FAF79594AEC), helpstring("Pardane Wave Control"), control]
    coclass NeloWav
    {
        [default] dispinterface _DNeloWav;
        [default, source] dispinterface _DNeloWavEvents;
    };
};
)IDL";

} // namespace

extern "C" __attribute__((visibility("default"))) const char *KorvaneTypeLibrary() {
    return kTypeLibrary;
}
