#pragma once

#include <utility>

namespace mirevo {

// One request of a kind on its way at a time. Asked for again meanwhile, the request is
// sent once more when the answer is in: that answer may predate what prompted the asking.
//
//     void Source::request()
//     {
//         if (!m_request.begin())
//             return;
//         send(..., [this](answer) {
//             read(answer);
//             if (m_request.end())
//                 request();
//         });
//     }
class RepeatableRequest {
public:
    // True when the caller sends now; false when one is on its way (it is sent again later).
    bool begin()
    {
        if (m_pending) {
            m_again = true;
            return false;
        }
        m_pending = true;
        return true;
    }
    // Call once the answer is read: true when the caller is to send the request again.
    bool end()
    {
        m_pending = false;
        return std::exchange(m_again, false);
    }
    bool isPending() const { return m_pending; }

private:
    bool m_pending = false;
    bool m_again = false;
};

} // namespace mirevo
