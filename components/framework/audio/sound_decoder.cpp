#include "sound_decoder.h"

#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

namespace kivo::audio {

namespace {

struct FormatCloser {
  void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
struct CodecFreer {
  void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct ResamplerFreer {
  void operator()(SwrContext* context) const { swr_free(&context); }
};
struct FrameFreer {
  void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketFreer {
  void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};

constexpr char kTooLong[] = "longer than ten minutes or 64 MiB";

std::string AvError(const char* what, int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof(text));
  return std::string(what) + ": " + text;
}

// Appends a decoded frame, converted, to the sound; false when the sound grows past the limits.
class Collector {
 public:
  Collector(SwrContext* resampler, DecodedSound* sound) : resampler_(resampler), sound_(sound) {
    const uint64_t byLength = kMaxSoundSeconds * sound->rate * sound->channels;
    maxSamples_ = std::min<uint64_t>(byLength, kMaxSoundBytes / sizeof(int16_t));
  }
  // A null frame drains the resampler.
  bool Add(const AVFrame* frame, std::string* error) {
    const int in = frame ? frame->nb_samples : 0;
    const int room = swr_get_out_samples(resampler_, in);
    if (room < 0) return Fail(error, AvError("converting", room));
    const size_t at = sound_->samples.size();
    sound_->samples.resize(at + static_cast<size_t>(room) * sound_->channels);
    auto* out = reinterpret_cast<uint8_t*>(sound_->samples.data() + at);
    const int made =
        swr_convert(resampler_, &out, room, frame ? const_cast<const uint8_t**>(frame->extended_data) : nullptr, in);
    if (made < 0) return Fail(error, AvError("converting", made));
    sound_->samples.resize(at + static_cast<size_t>(made) * sound_->channels);
    if (sound_->samples.size() > maxSamples_) return Fail(error, kTooLong);
    return true;
  }

 private:
  static bool Fail(std::string* error, std::string what) {
    *error = std::move(what);
    return false;
  }
  SwrContext* resampler_;
  DecodedSound* sound_;
  uint64_t maxSamples_ = 0;
};

// Takes every frame the decoder has ready.
bool Drain(AVCodecContext* codec, AVFrame* frame, Collector& collector, std::string* error) {
  for (;;) {
    const int got = avcodec_receive_frame(codec, frame);
    if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return true;
    if (got < 0) {
      *error = AvError("decoding", got);
      return false;
    }
    const bool added = collector.Add(frame, error);
    av_frame_unref(frame);
    if (!added) return false;
  }
}

}  // namespace

bool DecodeSound(const std::filesystem::path& file, uint32_t channels, DecodedSound* sound, std::string* error) {
  av_log_set_level(AV_LOG_QUIET);
  AVFormatContext* opened = nullptr;
  if (const int code = avformat_open_input(&opened, file.c_str(), nullptr, nullptr); code < 0) {
    *error = AvError("opening", code);
    return false;
  }
  std::unique_ptr<AVFormatContext, FormatCloser> format(opened);
  if (const int code = avformat_find_stream_info(format.get(), nullptr); code < 0) {
    *error = AvError("reading the stream", code);
    return false;
  }
  const AVCodec* decoder = nullptr;
  const int stream = av_find_best_stream(format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
  if (stream < 0) {
    *error = "no sound in the file";
    return false;
  }
  std::unique_ptr<AVCodecContext, CodecFreer> codec(avcodec_alloc_context3(decoder));
  if (!codec || avcodec_parameters_to_context(codec.get(), format->streams[stream]->codecpar) < 0 ||
      avcodec_open2(codec.get(), decoder, nullptr) < 0 || codec->sample_rate <= 0 ||
      codec->ch_layout.nb_channels <= 0) {
    *error = "the sound's codec cannot be opened";
    return false;
  }
  // What the container announces: a longer sound is refused before decoding, a shorter decode is a
  // cut file.
  const AVStream* header = format->streams[stream];
  const uint64_t expected =
      header->duration > 0 ? av_rescale_q(header->duration, header->time_base, AVRational{1, codec->sample_rate}) : 0;
  if (expected > kMaxSoundSeconds * static_cast<uint64_t>(codec->sample_rate)) {
    *error = kTooLong;
    return false;
  }
  DecodedSound decoded;
  decoded.rate = static_cast<uint32_t>(codec->sample_rate);
  decoded.channels = channels;
  AVChannelLayout outLayout;
  av_channel_layout_default(&outLayout, static_cast<int>(channels));
  SwrContext* made = nullptr;
  if (swr_alloc_set_opts2(&made, &outLayout, AV_SAMPLE_FMT_S16, codec->sample_rate, &codec->ch_layout,
                          codec->sample_fmt, codec->sample_rate, 0, nullptr) < 0 ||
      swr_init(made) < 0) {
    swr_free(&made);
    *error = "the sound cannot be converted";
    return false;
  }
  std::unique_ptr<SwrContext, ResamplerFreer> resampler(made);
  std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
  std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
  if (!frame || !packet) {
    *error = "out of memory";
    return false;
  }
  Collector collector(resampler.get(), &decoded);
  int read = 0;
  while ((read = av_read_frame(format.get(), packet.get())) >= 0) {
    const bool ours = packet->stream_index == stream;
    const int sent = ours ? avcodec_send_packet(codec.get(), packet.get()) : 0;
    av_packet_unref(packet.get());
    if (sent < 0 && sent != AVERROR_INVALIDDATA) {
      *error = AvError("decoding", sent);
      return false;
    }
    if (ours && !Drain(codec.get(), frame.get(), collector, error)) return false;
  }
  if (read != AVERROR_EOF) {
    *error = AvError("reading", read);
    return false;
  }
  avcodec_send_packet(codec.get(), nullptr);
  if (!Drain(codec.get(), frame.get(), collector, error) || !collector.Add(nullptr, error)) return false;
  if (decoded.samples.empty()) {
    *error = "no sound in the file";
    return false;
  }
  if (decoded.frames() + decoded.rate / 1000 + 1 < expected) {
    *error = "the file ends before its sound does";
    return false;
  }
  if (expected && decoded.frames() > expected) decoded.samples.resize(expected * channels);  // codec padding
  *sound = std::move(decoded);
  return true;
}

}  // namespace kivo::audio
