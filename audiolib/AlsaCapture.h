#pragma once
// An initialised recording device: the capture elements of its card's mixer, which are its inputs.
// The library never records; the inputs are only listed and read.
#include <cstdint>
#include <string>
#include <vector>

typedef struct _snd_mixer snd_mixer_t;
typedef struct _snd_mixer_elem snd_mixer_elem_t;

namespace audiolib {

class AlsaCapture {
public:
    // `control` is the card's control device; empty (or one that cannot be opened) gives no inputs.
    explicit AlsaCapture(const std::string& control);
    ~AlsaCapture();
    AlsaCapture(const AlsaCapture&) = delete;
    AlsaCapture& operator=(const AlsaCapture&) = delete;

    int InputCount() const { return static_cast<int>(inputs_.size()); }
    const char* InputName(int input) const { return inputs_[static_cast<size_t>(input)].name.c_str(); }
    // Volume 0..100 in the low 16 bits, InputOff when its capture switch is off, its kind in the top byte.
    int32_t InputValue(int input);

    // The kind of an input by its element name ("Mic", "Line", "CD", "Aux", digital ones).
    static int32_t InputType(const std::string& name);

private:
    struct Input {
        std::string name;
        snd_mixer_elem_t* element;
    };
    snd_mixer_t* mixer_ = nullptr;
    std::vector<Input> inputs_;
};

} // namespace audiolib
