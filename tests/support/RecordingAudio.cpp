// The recording audio library: handles count up from 1, every call is written down as text.
#include "support/RecordingAudio.h"

#include <sstream>

namespace marblix {

namespace {

int AsInt(bool value) {
  return value ? 1 : 0;
}

// "Name(a, b, c)" from the function's name and its arguments.
template <typename... Args>
std::string CallText(std::string_view function, const Args&... args) {
  std::ostringstream text;
  text << function << '(';
  [[maybe_unused]] const char* separator = "";
  ((text << separator << args, separator = ", "), ...);
  text << ')';
  return text.str();
}

}  // namespace

std::string TRecordingAudio::FileOf(DWORD handle) const {
  const auto found = Files.find(handle);
  return found == Files.end() ? std::string() : found->second;
}

std::vector<std::string> TRecordingAudio::CallsOf(std::string_view function) const {
  std::vector<std::string> matching;
  for (const std::string& call : Calls) {
    if (call.starts_with(function) && call.size() > function.size() &&
        call[function.size()] == '(') {
      matching.push_back(call);
    }
  }
  return matching;
}

std::vector<std::string> TRecordingAudio::PlayedFiles() const {
  std::vector<std::string> files;
  for (const std::string& call : CallsOf("BASS_SamplePlayEx")) {
    const size_t open = call.find('(');
    const DWORD sample = static_cast<DWORD>(std::stoul(call.substr(open + 1)));
    files.push_back(FileOf(sample));
  }
  return files;
}

void TRecordingAudio::Record(const std::string& call, DWORD result) {
  Calls.push_back(call + " = " + std::to_string(result));
}

DWORD TRecordingAudio::Load(const std::string& file) {
  if (MissingFiles.contains(file)) return 0;
  const DWORD handle = NextHandle++;
  Files[handle] = file;
  return handle;
}

DWORD TRecordingAudio::GetVersion() {
  Record(CallText("BASS_GetVersion"), Version);
  return Version;
}

bool TRecordingAudio::Init(int device, DWORD freq, DWORD flags, void* window, const void* clsid) {
  Initialised = true;
  Record(CallText("BASS_Init", device, freq, flags, window != nullptr ? "window" : "nil",
                  clsid != nullptr ? "clsid" : "nil"),
         1);
  return true;
}

bool TRecordingAudio::Start() {
  Record(CallText("BASS_Start"), AsInt(Initialised));
  return Initialised;
}

HSAMPLE TRecordingAudio::SampleLoad(bool mem, const std::string& file, DWORD offset, DWORD length,
                                    DWORD max, DWORD flags) {
  const HSAMPLE handle = mem ? 0 : Load(file);
  Record(CallText("BASS_SampleLoad", AsInt(mem), file, offset, length, max, flags), handle);
  return handle;
}

HCHANNEL TRecordingAudio::SamplePlayEx(HSAMPLE sample, DWORD start, int freq, int volume, int pan,
                                       int loop) {
  HCHANNEL play = 0;
  if (sample != 0 && Files.contains(sample)) {
    play = NextHandle++;
    PlaysBySample[play] = sample;
  }
  Record(CallText("BASS_SamplePlayEx", sample, start, freq, volume, pan, loop), play);
  return play;
}

bool TRecordingAudio::SampleStop(HSAMPLE sample) {
  const bool known = sample != 0 && Files.contains(sample);
  std::erase_if(PlaysBySample, [sample](const auto& play) { return play.second == sample; });
  Record(CallText("BASS_SampleStop", sample), AsInt(known));
  return known;
}

HSTREAM TRecordingAudio::StreamCreateFile(bool mem, const std::string& file, DWORD offset,
                                          DWORD length, DWORD flags) {
  const HSTREAM handle = mem ? 0 : Load(file);
  Record(CallText("BASS_StreamCreateFile", AsInt(mem), file, offset, length, flags), handle);
  return handle;
}

bool TRecordingAudio::StreamPlay(HSTREAM stream, bool flush, DWORD flags) {
  const bool known = stream != 0 && Files.contains(stream);
  Record(CallText("BASS_StreamPlay", stream, AsInt(flush), flags), AsInt(known));
  return known;
}

bool TRecordingAudio::ChannelSetAttributes(DWORD handle, int freq, int volume, int pan) {
  const bool known = Files.contains(handle) || PlaysBySample.contains(handle);
  Record(CallText("BASS_ChannelSetAttributes", handle, freq, volume, pan), AsInt(known));
  return known;
}

bool TRecordingAudio::ChannelPause(DWORD handle) {
  const bool known = Files.contains(handle) || PlaysBySample.contains(handle);
  Record(CallText("BASS_ChannelPause", handle), AsInt(known));
  return known;
}

bool TRecordingAudio::ChannelResume(DWORD handle) {
  const bool known = Files.contains(handle) || PlaysBySample.contains(handle);
  Record(CallText("BASS_ChannelResume", handle), AsInt(known));
  return known;
}

}  // namespace marblix
