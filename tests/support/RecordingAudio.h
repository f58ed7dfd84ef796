// An audio library for tests: it plays nothing and records every call with its arguments and
// result.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/audio/AudioLibrary.h"

namespace marblix {

class TRecordingAudio final : public TAudioLibrary {
 public:
  // Every call in order, e.g. "BASS_SamplePlayEx(3, 0, -1, 50, -1, 0) = 7".
  std::vector<std::string> Calls;
  // What GetVersion reports.
  DWORD Version = BASS_VERSION;
  // Loads of these files fail and return handle 0.
  std::set<std::string> MissingFiles;

  // The file a sample or stream handle was loaded from; empty for 0 or an unknown handle.
  std::string FileOf(DWORD handle) const;
  // The calls of one function only, e.g. CallsOf("BASS_SampleStop").
  std::vector<std::string> CallsOf(std::string_view function) const;
  // The files played by BASS_SamplePlayEx, in order of play (plays of handle 0 included, as "").
  std::vector<std::string> PlayedFiles() const;
  // Forgets the recorded calls (loaded handles stay valid).
  void ClearCalls() { Calls.clear(); }

  DWORD GetVersion() override;
  bool Init(int device, DWORD freq, DWORD flags, void* window, const void* clsid) override;
  bool Start() override;
  HSAMPLE SampleLoad(bool mem, const std::string& file, DWORD offset, DWORD length, DWORD max,
                     DWORD flags) override;
  HCHANNEL SamplePlayEx(HSAMPLE sample, DWORD start, int freq, int volume, int pan,
                        int loop) override;
  bool SampleStop(HSAMPLE sample) override;
  HSTREAM StreamCreateFile(bool mem, const std::string& file, DWORD offset, DWORD length,
                           DWORD flags) override;
  bool StreamPlay(HSTREAM stream, bool flush, DWORD flags) override;
  bool ChannelSetAttributes(DWORD handle, int freq, int volume, int pan) override;
  bool ChannelPause(DWORD handle) override;
  bool ChannelResume(DWORD handle) override;

 private:
  DWORD Load(const std::string& file);
  void Record(const std::string& call, DWORD result);

  DWORD NextHandle = 1;
  bool Initialised = false;
  std::map<DWORD, std::string> Files;
  std::map<HCHANNEL, HSAMPLE> PlaysBySample;
};

}  // namespace marblix
