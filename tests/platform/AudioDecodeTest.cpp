// Decoding WAV and Ogg Vorbis files, and loading sounds without a device.
#include <gtest/gtest.h>

#include <cstring>

#include "AudioDecode.h"
#include "AudioInternal.h"
#include "AudioTestSupport.h"
#include "TestSupport.h"

using namespace audiotest;

namespace {

plat::TPcm DecodeOk(const Bytes& file) {
  plat::TPcm pcm;
  std::string error;
  EXPECT_TRUE(plat::DecodeWav(file, pcm, error)) << error;
  return pcm;
}

Bytes Concat(std::vector<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

plat::TSharedBytes Shared(const Bytes& bytes) {
  return std::make_shared<const std::vector<uint8_t>>(bytes);
}

}  // namespace

TEST(AudioWav, DecodesEveryPcmLayoutSampleForSample) {
  for (int channels : {1, 2}) {
    for (int bits : {8, 16}) {
      SCOPED_TRACE("channels " + std::to_string(channels) + ", bits " + std::to_string(bits));
      Bytes samples = SinePcm(0.1, 11025, channels, bits, 300, 0.8);
      plat::TPcm pcm = DecodeOk(
          RiffWave({Chunk("fmt ", FmtBody(1, channels, 11025, bits)), Chunk("data", samples)}));
      EXPECT_EQ(pcm.channels, channels);
      EXPECT_EQ(pcm.bits, bits);
      EXPECT_EQ(pcm.rate, 11025);
      EXPECT_EQ(pcm.Frames(), 1102u);
      EXPECT_EQ(pcm.samples, samples);
    }
  }
}

TEST(AudioWav, WalksPastExtraOddSizedAndMisplacedChunks) {
  Bytes samples = SinePcm(0.05, 8000, 1, 16, 200, 0.5);
  Bytes fmt18 = Concat({FmtBody(1, 1, 8000, 16), {0, 0}});  // with an empty extension
  Bytes list = Chunk("LIST", {'I', 'N', 'F', 'O', 'x'});    // odd size: one pad byte follows
  Bytes fact = Chunk("fact", {1, 2, 3, 4});

  Bytes extraFirst = RiffWave(
      {list, Chunk("fmt ", fmt18), fact, Chunk("data", samples), Chunk("junk", {9, 9, 9})});
  EXPECT_EQ(DecodeOk(extraFirst).samples, samples);

  Bytes dataBeforeFormat = RiffWave({Chunk("data", samples), list, Chunk("fmt ", fmt18)});
  EXPECT_EQ(DecodeOk(dataBeforeFormat).samples, samples);

  // Writers that never fix up the RIFF size leave it far too small (or 0).
  Bytes wrongRiffSize = extraFirst;
  wrongRiffSize[4] = 4;
  wrongRiffSize[5] = wrongRiffSize[6] = wrongRiffSize[7] = 0;
  EXPECT_EQ(DecodeOk(wrongRiffSize).samples, samples);
}

TEST(AudioWav, KeepsTheWholeFramesOfACutOffFile) {
  Bytes samples = SinePcm(0.1, 8000, 2, 16, 200, 0.5);
  // The data chunk claims 1000 bytes; 301 arrived (75 frames and a bit).
  Bytes header = RiffWave({Chunk("fmt ", FmtBody(1, 2, 8000, 16))});
  Bytes dataHead = {'d', 'a', 't', 'a', 0xE8, 0x03, 0, 0};
  Bytes cut = Concat({header, dataHead, Bytes(samples.begin(), samples.begin() + 301)});
  plat::TPcm pcm = DecodeOk(cut);
  EXPECT_EQ(pcm.Frames(), 75u);
  EXPECT_EQ(pcm.samples, Bytes(samples.begin(), samples.begin() + 300));

  // An odd-sized last chunk without its pad byte at the very end.
  Bytes odd = SinePcm(0.01, 8000, 1, 8, 200, 0.5);
  ASSERT_EQ(odd.size() % 2, 0u);
  odd.pop_back();
  plat::TPcm pcm8 =
      DecodeOk(RiffWave({Chunk("fmt ", FmtBody(1, 1, 8000, 8)), Chunk("data", odd, false)}));
  EXPECT_EQ(pcm8.Frames(), odd.size());
}

TEST(AudioWav, AcceptsExtensiblePcmButNotExtensibleFloat) {
  auto extensible = [](uint8_t subTag) {
    Bytes body = FmtBody(0xFFFE, 2, 22050, 16);
    Bytes tail = {22,     0, 16, 0, 3, 0, 0,    0,  // extension size, valid bits, channel mask
                  subTag, 0, 0,  0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
    body.insert(body.end(), tail.begin(), tail.end());
    return RiffWave({Chunk("fmt ", body), Chunk("data", SinePcm(0.05, 22050, 2, 16, 440, 0.5))});
  };
  EXPECT_EQ(DecodeOk(extensible(1)).Frames(), 1102u);
  plat::TPcm pcm;
  std::string error;
  EXPECT_FALSE(plat::DecodeWav(extensible(3), pcm, error));
  EXPECT_NE(error.find("encoding"), std::string::npos) << error;
}

TEST(AudioWav, RefusesWhatItCannotPlayWithAReason) {
  Bytes tone = SinePcm(0.05, 8000, 1, 16, 200, 0.5);
  Bytes fmt = Chunk("fmt ", FmtBody(1, 1, 8000, 16));
  Bytes data = Chunk("data", tone);
  Bytes bigFmt = {'f', 'm', 't', ' ', 0x00, 0x10, 0, 0};  // 4096 bytes claimed
  struct TCase {
    const char* name;
    Bytes file;
    const char* reason;
  } cases[] = {
      {"empty", {}, "RIFF"},
      {"short header", {'R', 'I', 'F', 'F', 0, 0}, "RIFF"},
      {"AVI instead", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '}, "RIFF"},
      {"float", RiffWave({Chunk("fmt ", FmtBody(3, 1, 8000, 32)), data}), "encoding (format 3)"},
      {"ADPCM", RiffWave({Chunk("fmt ", FmtBody(2, 1, 8000, 4)), data}), "encoding (format 2)"},
      {"24-bit", RiffWave({Chunk("fmt ", FmtBody(1, 1, 8000, 24)), data}), "24 bits"},
      {"six channels", RiffWave({Chunk("fmt ", FmtBody(1, 6, 8000, 16)), data}), "channel count 6"},
      {"rate 0", RiffWave({Chunk("fmt ", FmtBody(1, 1, 0, 16)), data}), "rate"},
      {"no format", RiffWave({data}), "format chunk"},
      {"no data", RiffWave({fmt}), "data chunk"},
      {"short format", RiffWave({Chunk("fmt ", Bytes(14, 1)), data}), "format chunk"},
      {"format past the end", Concat({RiffWave({}), bigFmt, Bytes(20, 0)}), "format chunk"},
      {"no samples", RiffWave({fmt, Chunk("data", {7})}), "without samples"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    plat::TPcm pcm;
    std::string error;
    EXPECT_FALSE(plat::DecodeWav(c.file, pcm, error));
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    EXPECT_EQ(SoundFromBytes(c.file), nullptr);
  }
}

TEST(AudioVorbis, DecodesToTheEncodedLengthAndPitch) {
  struct TCase {
    double seconds;
    int rate, channels;
    double hz;
  } cases[] = {{1.0, 22050, 1, 440}, {0.5, 44100, 2, 1000}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.channels) + " channel(s) at " + std::to_string(c.rate));
    plat::TPcm pcm;
    std::string error;
    ASSERT_TRUE(
        plat::DecodeVorbis(Shared(OggTone(c.seconds, c.rate, c.channels, c.hz)), pcm, error))
        << error;
    EXPECT_EQ(pcm.channels, c.channels);
    EXPECT_EQ(pcm.rate, c.rate);
    EXPECT_EQ(pcm.bits, 16);
    EXPECT_EQ(pcm.Frames(), size_t(c.seconds * c.rate));
    TSignal signal{pcm.channels, pcm.rate, {}};
    signal.samples.resize(pcm.samples.size() / 2);
    std::memcpy(signal.samples.data(), pcm.samples.data(), pcm.samples.size());
    for (int ch = 0; ch < c.channels; ++ch) {
      EXPECT_NEAR(signal.CrossingsPerSecond(ch), 2 * c.hz, 0.03 * 2 * c.hz);
      // A sine of amplitude 0.5 has an RMS of about 0.35 of full scale.
      EXPECT_NEAR(signal.Rms(ch), 0.354 * 32767, 0.05 * 32767);
    }
  }
}

TEST(AudioVorbis, RefusesDamagedStreamsWithoutReadingPastThem) {
  Bytes good = OggTone(0.5);
  Bytes garbage = {'O', 'g', 'g', 'S'};
  garbage.resize(3000, 0x5A);
  Bytes cutHeaders(good.begin(), good.begin() + 120);
  for (const Bytes& bad : {garbage, cutHeaders, Bytes{'O', 'g', 'g', 'S'}}) {
    plat::TPcm pcm;
    std::string error;
    EXPECT_FALSE(plat::DecodeVorbis(Shared(bad), pcm, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(SoundFromBytes(bad), nullptr);
    EXPECT_EQ(SoundFromBytes(bad, plat::SOUND_STREAM), nullptr);
  }
  // Damage in the audio pages: whatever decodes is kept, never more than
  // the stream held.
  Bytes scrambled = good;
  for (size_t i = scrambled.size() / 2; i < scrambled.size(); i += 7) scrambled[i] ^= 0xA5;
  plat::TPcm pcm;
  std::string error;
  if (plat::DecodeVorbis(Shared(scrambled), pcm, error)) {
    EXPECT_LE(pcm.Frames(), size_t(0.5 * 22050) + 2048);
  }
}

TEST(AudioVorbis, StreamReadsToTheEndOrLoopsSeamlessly) {
  std::string error;
  auto once = plat::TVorbisStream::Open(Shared(OggTone(0.4, 22050, 2, 500)), error);
  ASSERT_NE(once, nullptr) << error;
  const int64_t total = once->TotalFrames();
  EXPECT_EQ(total, int64_t(0.4 * 22050));
  std::vector<int16_t> chunk(1000 * 2);
  int64_t read = 0;
  while (size_t got = once->Read(chunk.data(), 1000, false)) read += int64_t(got);
  EXPECT_EQ(read, total);
  EXPECT_EQ(once->Read(chunk.data(), 1000, false), 0u);
  EXPECT_FALSE(once->Damaged());

  auto looped = plat::TVorbisStream::Open(Shared(OggTone(0.4, 22050, 2, 500)), error);
  std::vector<int16_t> all(size_t(total) * 5 / 2 * 2);
  ASSERT_EQ(looped->Read(all.data(), all.size() / 2, true), all.size() / 2);
  // The second pass starts exactly where the first did.
  for (size_t i = 0; i < 2000; ++i) ASSERT_EQ(all[size_t(total) * 2 + i], all[i]) << i;
}

TEST(AudioLoad, LoadsWithoutADeviceAndKeepsTheFlags) {
  plat::TSoundPtr wav = SoundFromBytes(SineWav(0.2, 22050, 2, 8), plat::SOUND_LOOP);
  ASSERT_NE(wav, nullptr);
  EXPECT_TRUE(wav->looped);
  plat::TSoundProbe w = plat::ProbeSound(wav);
  EXPECT_FALSE(w.streamed);
  EXPECT_EQ(w.channels, 2);
  EXPECT_EQ(w.bits, 8);
  EXPECT_EQ(w.frames, 4410);

  // Streaming is for Ogg only; a WAV asked to stream is loaded whole.
  EXPECT_FALSE(plat::ProbeSound(SoundFromBytes(SineWav(0.1), plat::SOUND_STREAM)).streamed);

  Bytes ogg = OggTone(2.0);
  plat::TSoundPtr whole = SoundFromBytes(ogg);
  plat::TSoundPtr streamed = SoundFromBytes(ogg, plat::SOUND_STREAM | plat::SOUND_LOOP);
  ASSERT_NE(whole, nullptr);
  ASSERT_NE(streamed, nullptr);
  EXPECT_FALSE(whole->looped);
  EXPECT_TRUE(streamed->looped);
  plat::TSoundProbe s = plat::ProbeSound(streamed);
  EXPECT_TRUE(s.streamed);
  EXPECT_EQ(s.frames, 44100);
  EXPECT_EQ(s.bytesHeld, ogg.size());
  EXPECT_EQ(plat::ProbeSound(whole).bytesHeld, 44100u * 2);
}

TEST(AudioLoad, ReadsFromPathsAndFromTheStreamPosition) {
  testsupport::TempDir dir;
  Bytes wav = SineWav(0.1);
  testsupport::WriteWholeFile(dir.File("tone.wav"), std::string(wav.begin(), wav.end()));
  testsupport::WriteWholeFile(dir.File("noise.wav"), "not a sound at all");
  testsupport::WriteWholeFile(dir.File("empty.ogg"), "");
  EXPECT_NE(plat::LoadSound(dir.File("tone.wav")), nullptr);
  EXPECT_EQ(plat::LoadSound(dir.File("missing.wav")), nullptr);
  EXPECT_EQ(plat::LoadSound(dir.File("noise.wav")), nullptr);
  EXPECT_EQ(plat::LoadSound(dir.File("empty.ogg")), nullptr);

  plat::TMemoryStream stream(Concat({{1, 2, 3, 4, 5, 6, 7}, wav}));
  ASSERT_TRUE(stream.Seek(7));
  plat::TSoundPtr sound = plat::LoadSound(stream);
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(plat::ProbeSound(sound).frames, 2205);
}
