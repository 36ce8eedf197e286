#include "SystemCallTrap.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <thread>
#include <ucontext.h>
#include <unistd.h>

// The one place the filter lets system calls through: the trap handler re-issues the calls it
// stopped from here. Arguments as syscall(2): number, then up to six arguments.
extern "C" long kelvora_trap_syscall(long nr, long a1, long a2, long a3, long a4, long a5, long a6);
extern "C" const char kelvora_trap_syscall_return[];
asm(R"(
  .text
  .globl kelvora_trap_syscall
  .hidden kelvora_trap_syscall
  .globl kelvora_trap_syscall_return
  .hidden kelvora_trap_syscall_return
  .type kelvora_trap_syscall, @function
kelvora_trap_syscall:
  mov %rdi, %rax
  mov %rsi, %rdi
  mov %rdx, %rsi
  mov %rcx, %rdx
  mov %r8, %r10
  mov %r9, %r8
  mov 8(%rsp), %r9
  syscall
kelvora_trap_syscall_return:
  ret
  .size kelvora_trap_syscall, .-kelvora_trap_syscall
)");

namespace {
constexpr int kMaxRecorded = 256;
std::atomic<bool> recording{false};
std::atomic<int> recordedCount{0};
long recorded[kMaxRecorded];

void OnTrappedCall(int, siginfo_t* info, void* context) {
  greg_t* regs = static_cast<ucontext_t*>(context)->uc_mcontext.gregs;
  const long nr = info->si_syscall;
  if (recording.load(std::memory_order_relaxed)) {
    const int slot = recordedCount.fetch_add(1, std::memory_order_relaxed);
    if (slot < kMaxRecorded) recorded[slot] = nr;
  }
  regs[REG_RAX] = kelvora_trap_syscall(nr, regs[REG_RDI], regs[REG_RSI], regs[REG_RDX],
                                       regs[REG_R10], regs[REG_R8], regs[REG_R9]);
}

// Allows the trap handler's own return, thread exit, and calls made from the re-issuing
// instruction; traps everything else.
bool InstallFilter() {
  const auto ip = reinterpret_cast<std::uintptr_t>(kelvora_trap_syscall_return);
  const auto ipLow = static_cast<std::uint32_t>(ip);
  const auto ipHigh = static_cast<std::uint32_t>(ip >> 32);
  constexpr std::uint32_t kArch = offsetof(seccomp_data, arch);
  constexpr std::uint32_t kNr = offsetof(seccomp_data, nr);
  constexpr std::uint32_t kIp = offsetof(seccomp_data, instruction_pointer);
  sock_filter program[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, kArch),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 1, 0),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, kNr),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_rt_sigreturn, 6, 0),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_exit, 5, 0),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_exit_group, 4, 0),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, kIp),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, ipLow, 0, 3),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, kIp + 4),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, ipHigh, 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_TRAP),
  };
  sock_fprog prog{static_cast<unsigned short>(sizeof program / sizeof program[0]), program};
  if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) return false;
  return syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, 0, &prog) == 0;
}
} // namespace

std::vector<long> SystemCallsDuring(const std::function<void()>& untraced,
                                    const std::function<void()>& traced) {
  struct sigaction action {};
  action.sa_sigaction = OnTrappedCall;
  action.sa_flags = SA_SIGINFO;
  sigemptyset(&action.sa_mask);
  struct sigaction previous {};
  sigaction(SIGSYS, &action, &previous);

  recordedCount = 0;
  bool installed = false;
  // The filter stays with the thread until it ends; the thread ends with the work.
  std::thread worker([&] {
    installed = InstallFilter();
    if (!installed) return;
    untraced();
    recording = true;
    traced();
    recording = false;
  });
  worker.join();
  sigaction(SIGSYS, &previous, nullptr);

  if (!installed) return {-1};
  std::vector<long> calls;
  const int n = std::min(recordedCount.load(), kMaxRecorded);
  calls.assign(recorded, recorded + n);
  return calls;
}
