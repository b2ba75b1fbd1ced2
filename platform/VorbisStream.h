// An Ogg Vorbis decoder over bytes held in memory. Music keeps only the
// compressed bytes and gives every playing channel one of these, so several
// channels can play the same track at different positions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plat {

using TSharedBytes = std::shared_ptr<const std::vector<uint8_t>>;

class TVorbisStream {
 public:
  // Null (with the reason in error) when the bytes are not a Vorbis stream
  // of one or two channels.
  static std::unique_ptr<TVorbisStream> Open(TSharedBytes bytes, std::string& error);

 private:
  struct TKey {};

 public:
  explicit TVorbisStream(TKey);  // through Open only
  ~TVorbisStream();
  TVorbisStream(const TVorbisStream&) = delete;
  TVorbisStream& operator=(const TVorbisStream&) = delete;

  int Channels() const { return channels_; }
  int Rate() const { return rate_; }
  int64_t TotalFrames() const;  // -1 when the stream cannot tell

  // Fills out with up to `frames` frames of interleaved signed 16-bit
  // samples in host order. With loop the stream starts over at its end.
  // Returns the frames written; fewer than asked only at the end.
  size_t Read(int16_t* out, size_t frames, bool loop);
  // True once a read stopped on damaged data rather than the true end.
  bool Damaged() const { return damaged_; }

 private:
  struct Impl;
  size_t ReadOnce(int16_t* out, size_t frames);
  bool Rewind();

  std::unique_ptr<Impl> impl_;
  int channels_ = 0;
  int rate_ = 0;
  bool damaged_ = false;
  bool ended_ = false;
};

}  // namespace plat
