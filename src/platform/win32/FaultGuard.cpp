// The fault guard on Windows: a frame-based structured exception handler
// around the call, so that handlers the callee installs itself still come
// first. i686 links a registration record into the thread's handler chain;
// x86_64 declares the handler in the unwind data of a small call thunk.
#include "platform/FaultGuard.h"

#include "platform/win32/WindowsApi.h"

namespace tavir {
namespace {

// Processor faults; software exceptions (C++ throws, RaiseException) pass.
bool IsFault(DWORD code) {
  switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
      return true;
    default:
      return false;
  }
}

}  // namespace
}  // namespace tavir

#if defined(__i386__)

namespace tavir {
namespace {

struct GuardFrame {
  EXCEPTION_REGISTRATION_RECORD registration;  // first: the handler gets its address
  void* resume[5];                             // __builtin_setjmp's buffer
};

// The head of the thread's handler chain lives at fs:0.
EXCEPTION_REGISTRATION_RECORD* HandlerChain() {
  EXCEPTION_REGISTRATION_RECORD* head = nullptr;
  asm volatile("movl %%fs:0, %0" : "=r"(head));
  return head;
}

void SetHandlerChain(EXCEPTION_REGISTRATION_RECORD* head) {
  asm volatile("movl %0, %%fs:0" : : "r"(head) : "memory");
}

EXCEPTION_DISPOSITION NTAPI GuardHandler(EXCEPTION_RECORD* record, void* establisher, CONTEXT*,
                                         void*) {
  if ((record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) != 0 ||
      !IsFault(record->ExceptionCode)) {
    return ExceptionContinueSearch;
  }
  // Lets the frames between the fault and ours clean up and unlinks them.
  RtlUnwind(establisher, nullptr, record, nullptr);
  __builtin_longjmp(static_cast<GuardFrame*>(establisher)->resume, 1);
}

}  // namespace

bool RunFaultGuarded(void (*call)(void* context) noexcept, void* context) {
  GuardFrame guard{};
  guard.registration.Next = HandlerChain();
  guard.registration.Handler = GuardHandler;
  if (__builtin_setjmp(guard.resume)) {
    SetHandlerChain(guard.registration.Next);
    return false;
  }
  SetHandlerChain(&guard.registration);
  call(context);
  SetHandlerChain(guard.registration.Next);
  return true;
}

}  // namespace tavir

#elif defined(__x86_64__)

extern "C" {
// The thunk: calls call(context) and answers 1, or 0 when the handler
// unwinds to TavirFaultGuardResume with 0 as the result.
int TavirFaultGuardedCall(void (*call)(void*) noexcept, void* context);
extern char TavirFaultGuardResume[];

EXCEPTION_DISPOSITION TavirFaultGuardHandler(EXCEPTION_RECORD* record, void* establisher,
                                             CONTEXT* context, DISPATCHER_CONTEXT* dispatch) {
  if (!tavir::IsFault(record->ExceptionCode))
    return ExceptionContinueSearch;
  RtlUnwindEx(establisher, TavirFaultGuardResume, record, nullptr, context, dispatch->HistoryTable);
  return ExceptionContinueSearch;
}
}

asm(R"(
    .text
    .globl TavirFaultGuardedCall
    .globl TavirFaultGuardResume
    .def TavirFaultGuardedCall; .scl 2; .type 32; .endef
    .seh_proc TavirFaultGuardedCall
TavirFaultGuardedCall:
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_endprologue
    .seh_handler TavirFaultGuardHandler, @except
    movq %rcx, %rax
    movq %rdx, %rcx
    callq *%rax
    movl $1, %eax
TavirFaultGuardResume:
    addq $40, %rsp
    retq
    .seh_endproc
)");

namespace tavir {

bool RunFaultGuarded(void (*call)(void* context) noexcept, void* context) {
  return TavirFaultGuardedCall(call, context) != 0;
}

}  // namespace tavir

#else
#error "The fault guard knows i686 and x86_64 only"
#endif
