// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sample format a PulseAudio "simple" stream is opened with, taken from
// pa_simple_new's own declaration: the output and the test stand-in share it.
#include <pulse/simple.h>

#include <tuple>
#include <type_traits>

template <typename> struct ParametresPa;
template <typename R, typename... A> struct ParametresPa<R (*)(A...)> {
    using Format = std::remove_cv_t<std::remove_pointer_t<std::tuple_element_t<5, std::tuple<A...>>>>;
};
using FormatPa = ParametresPa<decltype(&pa_simple_new)>::Format;
