// Counts a window's update passes per second from outside its process. The
// window's thread handles messages sent to it only while it pumps its queue,
// which the update thread does once per pass; so a message sent, answered,
// and sent again after a short pause (shorter than the pass's own sleep) is
// answered once per pass.
//   pass_rate CLASS_NAME SECONDS      prints "passes_per_second N"
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: pass_rate CLASS_NAME SECONDS\n");
    return 2;
  }
  HWND window = FindWindowA(argv[1], nullptr);
  if (window == nullptr) {
    std::fprintf(stderr, "pass_rate: no window of class %s\n", argv[1]);
    return 1;
  }
  const double seconds = std::atof(argv[2]);
  LARGE_INTEGER freq, start, now;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&start);
  long answered = 0;
  for (;;) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result)) {
      std::fprintf(stderr, "pass_rate: the window stopped answering\n");
      return 1;
    }
    ++answered;
    QueryPerformanceCounter(&now);
    const double elapsed = static_cast<double>(now.QuadPart - start.QuadPart) / freq.QuadPart;
    if (elapsed >= seconds) {
      std::printf("passes_per_second %.1f\n", answered / elapsed);
      return 0;
    }
    Sleep(1);
  }
}
