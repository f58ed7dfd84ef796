// The audio library over SDL2_mixer, with the silent driver as the fallback when no sound card
// answers.
#include "platform/audio/MixerAudio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstring>

#include "platform/system/quiet_stderr.h"

namespace marblix {

namespace {

constexpr int InitialChannels = 32;
constexpr int ChannelGrowth = 32;
constexpr int MaxChannels = 1024;
constexpr DWORD MaxPlaysLimit = 65535;

// Volume 0..100 of the library to the mixer's 0..128; negative means full volume.
int ToMixerVolume(int volume) {
  if (volume < 0) return MIX_MAX_VOLUME;
  return std::min(volume, 100) * MIX_MAX_VOLUME / 100;
}

// Pan -100 (left) .. 100 (right) to the mixer's left and right levels.
void ApplyPan(int channel, int pan) {
  if (pan < -100 || pan > 100) return;
  const int left = pan <= 0 ? 255 : 255 * (100 - pan) / 100;
  const int right = pan >= 0 ? 255 : 255 * (100 + pan) / 100;
  Mix_SetPanning(channel, static_cast<Uint8>(left), static_cast<Uint8>(right));
}

}  // namespace

void TMixerAudio::ChunkFree::operator()(Mix_Chunk* chunk) const {
  Mix_FreeChunk(chunk);
}
void TMixerAudio::MusicFree::operator()(_Mix_Music* music) const {
  Mix_FreeMusic(music);
}

TMixerAudio::TMixerAudio() = default;

TMixerAudio::~TMixerAudio() {
  CloseOutput();
}

DWORD TMixerAudio::GetVersion() {
  return BASS_VERSION;
}

bool TMixerAudio::Init(int device, DWORD freq, DWORD, void*, const void*) {
  if (Open) return false;
  if (freq == 0) freq = 44100;
  // Device 0 asks for no sound at all: the silent output serves it.
  OffReason.clear();
  if (device != 0 && OpenOutput(freq)) {
    Silent = std::strcmp(SDL_GetCurrentAudioDriver(), "dummy") == 0;
  } else if (const std::string failure = device != 0 ? SDL_GetError() : "";
             OpenSilentOutput(freq)) {
    Silent = true;
    if (device != 0) OffReason = "no sound device could be opened (" + failure + ")";
  } else {
    Silent = true;
    return false;
  }
  Open = true;
  Mix_Init(MIX_INIT_OGG);
  Mix_AllocateChannels(InitialChannels);
  Channels.assign(InitialChannels, Play{});
  return true;
}

bool TMixerAudio::OpenOutput(DWORD freq) {
  const TQuietStandardError quiet;  // ALSA names every card it cannot find
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  AudioSubsystemUp = true;
  if (Mix_OpenAudio(static_cast<int>(freq), MIX_DEFAULT_FORMAT, 2, 1024) == 0) return true;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  AudioSubsystemUp = false;
  return false;
}

bool TMixerAudio::OpenSilentOutput(DWORD freq) {
  // A plain hint loses to the environment variable, so override it.
  SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
  const bool opened = OpenOutput(freq);
  // The override is for this opening only; a later library may find a sound card again.
  SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  return opened;
}

void TMixerAudio::CloseOutput() {
  if (Open) {
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
  }
  Samples.clear();
  Streams.clear();
  Channels.clear();
  if (Open) {
    Mix_CloseAudio();
    Mix_Quit();
  }
  if (AudioSubsystemUp) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  Open = false;
  AudioSubsystemUp = false;
}

bool TMixerAudio::Start() {
  if (!Open) return false;
  Mix_Resume(-1);
  return true;
}

HSAMPLE TMixerAudio::SampleLoad(bool mem, const std::string& file, DWORD, DWORD, DWORD max,
                                DWORD flags) {
  if (!Open || mem) return 0;
  Mix_Chunk* chunk = Mix_LoadWAV(file.c_str());
  if (chunk == nullptr) return 0;
  const HSAMPLE handle = NewHandle();
  Sample& sample = Samples[handle];
  sample.Chunk.reset(chunk);
  sample.MaxPlays = std::clamp<DWORD>(max, 1, MaxPlaysLimit);
  sample.Loop = (flags & BASS_SAMPLE_LOOP) != 0;
  return handle;
}

int TMixerAudio::FreeChannel() {
  int channel = Mix_GroupAvailable(-1);
  const int count = static_cast<int>(Channels.size());
  if (channel >= 0 || count >= MaxChannels) return channel;
  const int grown = std::min(count + ChannelGrowth, MaxChannels);
  Mix_AllocateChannels(grown);
  Channels.resize(static_cast<size_t>(grown));
  return Mix_GroupAvailable(-1);
}

HCHANNEL TMixerAudio::SamplePlayEx(HSAMPLE handle, DWORD, int, int volume, int pan, int loop) {
  const auto found = Samples.find(handle);
  if (!Open || found == Samples.end()) return 0;
  const Sample& sample = found->second;
  if (static_cast<DWORD>(PlaysOf(handle)) >= sample.MaxPlays) return 0;
  const int channel = FreeChannel();
  if (channel < 0) return 0;
  const bool looped = loop > 0 || (loop < 0 && sample.Loop);
  Mix_Volume(channel, ToMixerVolume(volume));
  Mix_SetPanning(channel, 255, 255);
  if (pan != -1) ApplyPan(channel, pan);
  if (Mix_PlayChannel(channel, sample.Chunk.get(), looped ? -1 : 0) < 0) return 0;
  const HCHANNEL play = NewHandle();
  Channels[static_cast<size_t>(channel)] = Play{play, handle};
  return play;
}

int TMixerAudio::PlaysOf(HSAMPLE sample) const {
  if (!Open || sample == 0) return 0;
  int plays = 0;
  for (size_t channel = 0; channel < Channels.size(); ++channel) {
    if (Channels[channel].Sample == sample && Mix_Playing(static_cast<int>(channel))) ++plays;
  }
  return plays;
}

bool TMixerAudio::SampleStop(HSAMPLE sample) {
  if (!Open || !Samples.contains(sample)) return false;
  for (size_t channel = 0; channel < Channels.size(); ++channel) {
    if (Channels[channel].Sample != sample) continue;
    Mix_HaltChannel(static_cast<int>(channel));
    Channels[channel] = Play{};
  }
  return true;
}

HSTREAM TMixerAudio::StreamCreateFile(bool mem, const std::string& file, DWORD, DWORD,
                                      DWORD flags) {
  if (!Open || mem) return 0;
  _Mix_Music* music = Mix_LoadMUS(file.c_str());
  if (music == nullptr) return 0;
  const HSTREAM handle = NewHandle();
  Stream& stream = Streams[handle];
  stream.Music.reset(music);
  stream.Loop = (flags & BASS_SAMPLE_LOOP) != 0;
  return handle;
}

void TMixerAudio::ApplyMusicVolume(const Stream& stream) {
  Mix_VolumeMusic(ToMixerVolume(stream.Volume));
}

bool TMixerAudio::StreamPlay(HSTREAM handle, bool, DWORD flags) {
  const auto found = Streams.find(handle);
  if (!Open || found == Streams.end()) return false;
  Stream& stream = found->second;
  const bool looped = stream.Loop || (flags & BASS_SAMPLE_LOOP) != 0;
  ApplyMusicVolume(stream);
  if (Mix_PlayMusic(stream.Music.get(), looped ? -1 : 1) != 0) return false;
  ApplyMusicVolume(stream);
  PlayingStream = handle;
  return true;
}

int TMixerAudio::ChannelOf(HCHANNEL handle) const {
  if (handle == 0) return -1;
  for (size_t channel = 0; channel < Channels.size(); ++channel) {
    if (Channels[channel].Handle == handle) return static_cast<int>(channel);
  }
  return -1;
}

bool TMixerAudio::ChannelSetAttributes(DWORD handle, int, int volume, int pan) {
  if (!Open) return false;
  if (const auto stream = Streams.find(handle); stream != Streams.end()) {
    if (volume >= 0) stream->second.Volume = std::min(volume, 100);
    if (PlayingStream == handle) ApplyMusicVolume(stream->second);
    return true;
  }
  const int channel = ChannelOf(handle);
  if (channel < 0) return false;
  if (volume >= 0) Mix_Volume(channel, ToMixerVolume(volume));
  ApplyPan(channel, pan);
  return true;
}

bool TMixerAudio::ChannelPause(DWORD handle) {
  if (!Open) return false;
  if (Streams.contains(handle)) {
    if (PlayingStream == handle) Mix_PauseMusic();
    return true;
  }
  const int channel = ChannelOf(handle);
  if (channel < 0) return false;
  Mix_Pause(channel);
  return true;
}

bool TMixerAudio::ChannelResume(DWORD handle) {
  if (!Open) return false;
  if (Streams.contains(handle)) {
    if (PlayingStream == handle) Mix_ResumeMusic();
    return true;
  }
  const int channel = ChannelOf(handle);
  if (channel < 0) return false;
  Mix_Resume(channel);
  return true;
}

bool TMixerAudio::IsPlaying(DWORD handle) const {
  if (!Open || handle == 0) return false;
  if (Streams.contains(handle)) {
    return PlayingStream == handle && Mix_PlayingMusic() && !Mix_PausedMusic();
  }
  const int channel = ChannelOf(handle);
  return channel >= 0 && Mix_Playing(channel) && !Mix_Paused(channel);
}

int TMixerAudio::MixerVolumeOf(DWORD handle) const {
  if (!Open || handle == 0) return -1;
  if (Streams.contains(handle)) return PlayingStream == handle ? Mix_VolumeMusic(-1) : -1;
  const int channel = ChannelOf(handle);
  return channel < 0 ? -1 : Mix_Volume(channel, -1);
}

}  // namespace marblix
