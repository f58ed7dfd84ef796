// The game's sounds are Ogg Vorbis: a sample and a stream encoded here load, play and reach the
// mix.
#include <gtest/gtest.h>
#include <vorbis/vorbisenc.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/audio/MixerAudio.h"
#include "support/TempDir.h"

namespace marblix {
namespace {

namespace fs = std::filesystem;

void WritePages(ogg_stream_state& stream, std::ofstream& out, bool flush) {
  ogg_page page;
  while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
    out.write(reinterpret_cast<const char*>(page.header), page.header_len);
    out.write(reinterpret_cast<const char*>(page.body), page.body_len);
  }
}

// Encodes a mono 440 Hz tone of the given length as Ogg Vorbis.
void WriteOggTone(const fs::path& path, double seconds) {
  std::ofstream out(path, std::ios::binary);
  vorbis_info info;
  vorbis_info_init(&info);
  ASSERT_EQ(vorbis_encode_init_vbr(&info, 1, 44100, 0.3f), 0);
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block block;
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, 1);
  ogg_packet header, commentHeader, codeHeader;
  vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &commentHeader);
  ogg_stream_packetin(&stream, &codeHeader);
  WritePages(stream, out, true);

  const int total = static_cast<int>(44100 * seconds);
  const auto drain = [&] {
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
        ogg_stream_packetin(&stream, &packet);
        WritePages(stream, out, false);
      }
    }
  };
  for (int done = 0; done < total; done += 1024) {
    const int count = std::min(1024, total - done);
    float** buffer = vorbis_analysis_buffer(&dsp, count);
    for (int i = 0; i < count; ++i)
      buffer[0][i] = static_cast<float>(0.5 * std::sin((done + i) * 2 * M_PI * 440 / 44100));
    vorbis_analysis_wrote(&dsp, count);
    drain();
  }
  vorbis_analysis_wrote(&dsp, 0);
  drain();
  WritePages(stream, out, true);
  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
}

TEST(OggSounds, AnOggSampleAndAnOggStreamPlayIntoTheMix) {
  const testing::TTempDir folder("marblix_ogg");
  const fs::path& dir = folder.Path;
  WriteOggTone(dir / "tone.ogg", 1.0);
  const char* previous = std::getenv("SDL_AUDIODRIVER");
  const std::string saved = previous != nullptr ? previous : "";
  ::setenv("SDL_AUDIODRIVER", "disk", 1);
  ::setenv("SDL_DISKAUDIOFILE", (dir / "mix.raw").c_str(), 1);
  {
    TMixerAudio audio;
    ASSERT_TRUE(audio.Init(1, 44100, 0, nullptr, nullptr));
    const HSAMPLE sample = audio.SampleLoad(false, (dir / "tone.ogg").string(), 0, 0, 32, 4);
    const HSTREAM music = audio.StreamCreateFile(false, (dir / "tone.ogg").string(), 0, 0, 0);
    ASSERT_NE(sample, 0u) << "the sample decodes";
    ASSERT_NE(music, 0u) << "the stream opens";
    EXPECT_NE(audio.SamplePlayEx(sample, 0, -1, 100, -1, 0), 0u);
    EXPECT_TRUE(audio.StreamPlay(music, false, 4));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_TRUE(audio.IsPlaying(music));
  }
  if (previous != nullptr) {
    ::setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
  } else {
    ::unsetenv("SDL_AUDIODRIVER");
  }
  std::ifstream in(dir / "mix.raw", std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_NE(bytes.find_first_not_of('\0'), std::string::npos) << "the mix holds the tone";
}

}  // namespace
}  // namespace marblix
