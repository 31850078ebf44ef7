#include "state.h"

namespace tavrik {

ConnectionState &state()
{
    static ConnectionState s;
    return s;
}

}  // namespace tavrik
