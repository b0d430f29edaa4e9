#include "sound_encoder.h"

#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace kivo::audio {

namespace {

void PutLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}
void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

struct OutputCloser {
  void operator()(AVFormatContext* context) const {
    if (context->pb) avio_closep(&context->pb);
    avformat_free_context(context);
  }
};
struct CodecFreer {
  void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FrameFreer {
  void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketFreer {
  void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};

bool Fail(std::string* error, std::string what) {
  *error = std::move(what);
  return false;
}

// Sends a frame (null: the end) and writes every packet the encoder gives back.
bool Encode(AVFormatContext* format, AVCodecContext* codec, AVStream* stream, AVFrame* frame, AVPacket* packet) {
  if (avcodec_send_frame(codec, frame) < 0) return false;
  for (;;) {
    const int got = avcodec_receive_packet(codec, packet);
    if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return true;
    if (got < 0) return false;
    av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
    packet->stream_index = stream->index;
    if (av_interleaved_write_frame(format, packet) < 0) return false;
  }
}

}  // namespace

std::vector<uint8_t> WavImage(std::span<const int16_t> samples, uint32_t channels, uint32_t rate,
                              uint32_t bitsPerSample) {
  const uint32_t bytesPerSample = bitsPerSample / 8;
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size()) * bytesPerSample;
  std::vector<uint8_t> out;
  PutTag(out, "RIFF");
  PutLE(out, 36 + dataBytes, 4);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutLE(out, 16, 4);
  PutLE(out, 1, 2);  // PCM
  PutLE(out, channels, 2);
  PutLE(out, rate, 4);
  PutLE(out, rate * channels * bytesPerSample, 4);
  PutLE(out, channels * bytesPerSample, 2);
  PutLE(out, bitsPerSample, 2);
  PutTag(out, "data");
  PutLE(out, dataBytes, 4);
  for (int16_t sample : samples) {
    if (bytesPerSample == 1)
      out.push_back(static_cast<uint8_t>((sample >> 8) + 128));  // 8-bit WAV is unsigned
    else
      PutLE(out, static_cast<uint16_t>(sample), 2);
  }
  return out;
}

bool WriteOggVorbis(const std::filesystem::path& file, std::span<const int16_t> samples, uint32_t channels,
                    uint32_t rate, std::string* error) {
  const AVCodec* encoder = avcodec_find_encoder_by_name("libvorbis");
  if (!encoder) return Fail(error, "FFmpeg has no libvorbis encoder");
  AVFormatContext* made = nullptr;
  if (avformat_alloc_output_context2(&made, nullptr, "ogg", file.c_str()) < 0 || !made)
    return Fail(error, "no Ogg output");
  std::unique_ptr<AVFormatContext, OutputCloser> format(made);
  std::unique_ptr<AVCodecContext, CodecFreer> codec(avcodec_alloc_context3(encoder));
  AVStream* stream = avformat_new_stream(format.get(), nullptr);
  if (!codec || !stream) return Fail(error, "out of memory");
  av_channel_layout_default(&codec->ch_layout, static_cast<int>(channels));
  codec->sample_rate = static_cast<int>(rate);
  codec->sample_fmt = AV_SAMPLE_FMT_FLTP;
  codec->time_base = AVRational{1, static_cast<int>(rate)};
  codec->global_quality = 5 * FF_QP2LAMBDA;
  codec->flags |= AV_CODEC_FLAG_QSCALE;
  if (format->oformat->flags & AVFMT_GLOBALHEADER) codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  if (avcodec_open2(codec.get(), encoder, nullptr) < 0) return Fail(error, "the Vorbis encoder does not open");
  if (avcodec_parameters_from_context(stream->codecpar, codec.get()) < 0) return Fail(error, "no stream parameters");
  stream->time_base = codec->time_base;
  if (avio_open(&format->pb, file.c_str(), AVIO_FLAG_WRITE) < 0 || avformat_write_header(format.get(), nullptr) < 0)
    return Fail(error, "the file cannot be written");
  std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
  std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
  if (!frame || !packet) return Fail(error, "out of memory");
  const size_t frames = samples.size() / channels;
  const size_t step = codec->frame_size > 0 ? static_cast<size_t>(codec->frame_size) : 1024;
  for (size_t at = 0; at < frames; at += step) {
    const size_t count = std::min(step, frames - at);
    frame->nb_samples = static_cast<int>(count);
    frame->format = codec->sample_fmt;
    frame->sample_rate = codec->sample_rate;
    if (av_channel_layout_copy(&frame->ch_layout, &codec->ch_layout) < 0 || av_frame_get_buffer(frame.get(), 0) < 0)
      return Fail(error, "out of memory");
    for (uint32_t c = 0; c < channels; ++c) {
      auto* plane = reinterpret_cast<float*>(frame->extended_data[c]);
      for (size_t i = 0; i < count; ++i) plane[i] = samples[(at + i) * channels + c] / 32768.0f;
    }
    frame->pts = static_cast<int64_t>(at);
    const bool sent = Encode(format.get(), codec.get(), stream, frame.get(), packet.get());
    av_frame_unref(frame.get());
    if (!sent) return Fail(error, "encoding failed");
  }
  if (!Encode(format.get(), codec.get(), stream, nullptr, packet.get()) || av_write_trailer(format.get()) < 0)
    return Fail(error, "encoding failed");
  return true;
}

}  // namespace kivo::audio
