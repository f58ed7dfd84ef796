// Reading "sounds.txt" into the sound table, and playing its samples through the audio library.
#include "sound/sounds.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "sound/Bass.h"
#include "text/TextLines.h"

namespace marblix {

TSoundTable GameSounds;

namespace {

constexpr DWORD MaxPlaysPerSample = 32;

// A sample that cannot be loaded (missing or damaged file) plays nothing; the log names it.
HSAMPLE LoadSample(const std::string& path, const TLogSink& log) {
  const HSAMPLE sample = BASS_SampleLoad(false, path, 0, 0, MaxPlaysPerSample, BASS_SAMPLE_LOOP);
  if (sample == 0 && log) log("Cannot load sound \"" + path + "\": it stays silent");
  return sample;
}

// A decimal integer with an optional sign, nothing else.
std::optional<int> ParseInteger(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// A decimal number with "." as the separator and an optional exponent, blanks around allowed.
bool IsDecimalNumber(std::string_view text) {
  text = TrimBlanks(text);
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  double value = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

// Why a line of the list cannot be used, or nothing when it is well-formed.
std::optional<std::string> LineFault(const std::string& line, std::string& name,
                                     std::string& path) {
  if (line.empty()) return "empty line";
  const size_t firstTab = line.find('\t');
  if (firstTab == std::string::npos) return "no sample path";
  const size_t secondTab = line.find('\t', firstTab + 1);
  if (secondTab == std::string::npos) return "no number after the sample path";
  name = line.substr(0, firstTab);
  path = line.substr(firstTab + 1, secondTab - firstTab - 1);
  const std::string number = line.substr(secondTab + 1);
  if (!IsDecimalNumber(number)) return "\"" + number + "\" is not a decimal number";
  return std::nullopt;
}

void LoadFixedBombSounds(const TLogSink& log) {
  for (const TFixedSound& fixed : FixedBombSounds)
    *GameSounds.Slot(fixed.Slot) = LoadSample(fixed.File, log);
}

}  // namespace

HSAMPLE* TSoundTable::Slot(SoundSlot slot) {
  const auto entry = [&slot](auto& table) -> auto* {
    return slot.Index >= 1 && slot.Index < table.size() ? &table[slot.Index] : nullptr;
  };
  switch (slot.Table) {
    case SoundTable::Named:
      return slot.Index < Named.size() ? &Named[slot.Index] : nullptr;
    case SoundTable::Select: {
      TSelectSounds* sounds = entry(KindSelectSounds);
      if (sounds == nullptr) return nullptr;
      switch (slot.Sample) {
        case 0:
          return &sounds->a;
        case 1:
          return &sounds->b;
        case 2:
          return &sounds->c;
        case 3:
          return &sounds->d;
        default:
          return nullptr;
      }
    }
    case SoundTable::Hover:
      return entry(KindHoverSounds);
    case SoundTable::Blast:
      return entry(KindBlastSounds);
    case SoundTable::Arrive:
      return entry(KindArriveSounds);
    case SoundTable::Vanish:
      return entry(KindVanishSounds);
  }
  return nullptr;
}

bool AssignSound(const std::string& name, const std::string& path, const TLogSink& log) {
  std::optional<SoundSlot> slot;
  if (const std::optional<NamedSound> named = NamedSoundOf(name)) {
    slot = SoundOf(*named);
  } else if (!name.empty() && name.front() == '_') {
    const std::optional<int> n =
        name.size() >= 2 ? ParseInteger(std::string_view(name).substr(2)) : std::nullopt;
    if (!n) return false;
    slot = LookSoundOf(name[1], *n);
  }
  HSAMPLE* sample = slot ? GameSounds.Slot(*slot) : nullptr;
  if (sample != nullptr) *sample = LoadSample(path, log);
  return true;
}

bool LoadSoundTable(const TLogSink& log, const std::string& listPath) {
  const auto report = [&log](const std::string& message) {
    if (log) log(message);
  };
  const std::optional<std::vector<std::string>> lines = ReadTextLines(listPath);
  if (!lines) {
    report("Cannot open file \"" + listPath + "\": sound effects are off");
    return false;
  }
  for (size_t index = 0; index < lines->size(); ++index) {
    std::string where = listPath + ", line " + std::to_string(index + 1) + ": ";
    std::string name;
    std::string path;
    if (const std::optional<std::string> fault = LineFault((*lines)[index], name, path)) {
      report(where + *fault + ", line skipped");
    } else if (!AssignSound(name, path, log)) {
      report(where.append("\"").append(name).append("\" has no decimal look number, line skipped"));
    }
  }
  LoadFixedBombSounds(log);
  return true;
}

void PlayEffect(HSAMPLE sample, int32_t volume) {
  BASS_SamplePlayEx(sample, 0, -1, volume, -1, 0);
}

void PlayEffectLooped(HSAMPLE sample, int32_t volume) {
  BASS_SamplePlayEx(sample, 0, -1, volume, -1, -1);
}

void StopEffect(HSAMPLE sample) {
  BASS_SampleStop(sample);
}

}  // namespace marblix
