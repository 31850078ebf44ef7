#include "velsor_standin.h"

#include "velsor/ordinals.h"

#include <map>

namespace standin {

namespace {

struct Recorder {
    std::vector<Call> calls;
    std::map<int, Behaviour> behaviours;
    int dataMode = 0;
};

Recorder &recorder()
{
    static Recorder r;
    return r;
}

template <class T>
std::uintptr_t word(T value)
{
    if constexpr (std::is_pointer_v<T>)
        return reinterpret_cast<std::uintptr_t>(value);
    else
        return static_cast<std::uintptr_t>(value);
}

template <class... A>
std::vector<std::uintptr_t> words(A... a)
{
    return {word(a)...};
}

std::uint16_t dispatch(int ordinal, std::vector<std::uintptr_t> args)
{
    Recorder &r = recorder();
    r.calls.push_back({ordinal, std::move(args), r.dataMode});
    const Call &call = r.calls.back();
    if (ordinal == 108) r.dataMode = static_cast<int>(call.args.at(0));
    if (ordinal == 109) return static_cast<std::uint16_t>(r.dataMode);
    const auto found = r.behaviours.find(ordinal);
    return found == r.behaviours.end() ? 0 : found->second(call);
}

}  // namespace

void reset() { recorder() = Recorder{}; }
void on(int ordinal, Behaviour behaviour) { recorder().behaviours[ordinal] = std::move(behaviour); }
std::vector<Call> calls() { return recorder().calls; }

std::vector<int> ordinals()
{
    std::vector<int> out;
    for (const Call &c : recorder().calls) out.push_back(c.ordinal);
    return out;
}

}  // namespace standin

#define STANDIN_FUNCTION(k, params, args) \
    extern "C" std::uint16_t Velsor_##k params { return standin::dispatch(k, standin::words args); }
TAVRIK_VELSOR_ORDINALS(STANDIN_FUNCTION)
#undef STANDIN_FUNCTION
