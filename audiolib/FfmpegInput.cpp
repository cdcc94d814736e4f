#include "audiolib/FfmpegInput.h"

#include "audiolib/Errors.h"
#include "platform/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

extern "C" {
#include <libavformat/avio.h>
#include <libavutil/error.h>
#include <libavutil/mem.h>
}

namespace audiolib {

namespace {
constexpr int kBufferSize = 64 * 1024;
}

FfmpegInput::~FfmpegInput()
{
    if (context_) {
        av_freep(&context_->buffer);
        avio_context_free(&context_);
    }
    if (fd_ >= 0)
        ::close(fd_);
}

std::unique_ptr<FfmpegInput> FfmpegInput::OpenFile(const std::string& path, int& error)
{
    std::unique_ptr<FfmpegInput> input(new FfmpegInput);
    const platform::RegularFile file = platform::OpenRegularFile(path.c_str());
    if (file.fd < 0) {
        error = ErrorFileOpen;
        return nullptr;
    }
    input->fd_ = file.fd;
    input->size_ = file.size;
    if (!input->CreateContext()) {
        error = ErrorMem;
        return nullptr;
    }
    return input;
}

std::unique_ptr<FfmpegInput> FfmpegInput::OpenMemory(const void* data, size_t size, int& error)
{
    if (!data && size > 0) {
        error = ErrorFileOpen;
        return nullptr;
    }
    std::unique_ptr<FfmpegInput> input(new FfmpegInput);
    input->memory_ = static_cast<const uint8_t*>(data);
    input->size_ = static_cast<int64_t>(size);
    if (!input->CreateContext()) {
        error = ErrorMem;
        return nullptr;
    }
    return input;
}

std::unique_ptr<FfmpegInput> FfmpegInput::Share() const
{
    std::unique_ptr<FfmpegInput> input(new FfmpegInput);
    input->memory_ = memory_;
    input->size_ = size_;
    if (fd_ >= 0 && (input->fd_ = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0)) < 0)
        return nullptr;
    return input->CreateContext() ? std::move(input) : nullptr;
}

bool FfmpegInput::CreateContext()
{
    auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferSize));
    if (!buffer)
        return false;
    context_ = avio_alloc_context(buffer, kBufferSize, 0, this, &FfmpegInput::ReadPacket, nullptr,
                                  &FfmpegInput::SeekTo);
    if (!context_) {
        av_free(buffer);
        return false;
    }
    return true;
}

int64_t FfmpegInput::ReadAt(int64_t offset, uint8_t* buffer, int64_t count)
{
    if (offset < 0 || offset >= size_ || count <= 0)
        return 0;
    count = std::min(count, size_ - offset);
    if (memory_) {
        std::memcpy(buffer, memory_ + offset, static_cast<size_t>(count));
        return count;
    }
    int64_t done = 0;
    while (done < count) {
        const ssize_t got = ::pread(fd_, buffer + done, static_cast<size_t>(count - done), offset + done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += got;
    }
    return done;
}

int FfmpegInput::ReadPacket(void* opaque, uint8_t* buffer, int size)
{
    auto* self = static_cast<FfmpegInput*>(opaque);
    const int64_t got = self->ReadAt(self->position_, buffer, size);
    if (got <= 0)
        return AVERROR_EOF;
    self->position_ += got;
    return static_cast<int>(got);
}

int64_t FfmpegInput::SeekTo(void* opaque, int64_t offset, int whence)
{
    auto* self = static_cast<FfmpegInput*>(opaque);
    whence &= ~AVSEEK_FORCE;
    if (whence == AVSEEK_SIZE)
        return self->size_;
    int64_t target = offset;
    if (whence == SEEK_CUR)
        target += self->position_;
    else if (whence == SEEK_END)
        target += self->size_;
    else if (whence != SEEK_SET)
        return AVERROR(EINVAL);
    if (target < 0)
        return AVERROR(EINVAL);
    self->position_ = target;
    return target;
}

} // namespace audiolib
