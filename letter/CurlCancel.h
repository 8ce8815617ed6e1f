// "Mégse" for a libcurl transfer: the transfer looks at the flag while it
// runs and stops at once when it is set.
#pragma once

#include <curl/curl.h>

#include <atomic>

namespace mv {

inline int StopWhenCancelled(void* flag, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  const auto* cancel = static_cast<const std::atomic<bool>*>(flag);
  return cancel && cancel->load() ? 1 : 0;
}

// cancel may be null: the transfer is then never stopped this way.
inline void WatchCancel(CURL* curl, const std::atomic<bool>* cancel) {
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, StopWhenCancelled);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, const_cast<std::atomic<bool>*>(cancel));
}

}  // namespace mv
