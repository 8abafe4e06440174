/*
 * The x86_64 thunk that a delay-loaded DLL's stubs jump to on the first call
 * of each function, with the function's import slot in RAX: it keeps the
 * call's arguments (RCX, RDX, R8, R9, and XMM0-XMM3, where the x64 calling
 * convention passes them) while __delayLoadHelper2 loads the DLL and binds
 * the function, then jumps to the function with them. Its prologue is
 * described to the unwinder, as every x64 function that calls another must
 * be. One for each delay-loaded DLL, by the name its library's stubs call.
 */
.macro TAIL_MERGE lib
    .text
    .globl __tailMerge_\lib
    .def __tailMerge_\lib; .scl 2; .type 32; .endef
    .seh_proc __tailMerge_\lib
__tailMerge_\lib:
    push %rcx
    .seh_pushreg %rcx
    push %rdx
    .seh_pushreg %rdx
    push %r8
    .seh_pushreg %r8
    push %r9
    .seh_pushreg %r9
    /* The helper's 32 bytes of home space and the four XMM registers, 16
       bytes each: 96, and 8 more to align the stack to 16 for the call. */
    sub $0x68, %rsp
    .seh_stackalloc 0x68
    movdqa %xmm0, 0x20(%rsp)
    .seh_savexmm %xmm0, 0x20
    movdqa %xmm1, 0x30(%rsp)
    .seh_savexmm %xmm1, 0x30
    movdqa %xmm2, 0x40(%rsp)
    .seh_savexmm %xmm2, 0x40
    movdqa %xmm3, 0x50(%rsp)
    .seh_savexmm %xmm3, 0x50
    .seh_endprologue
    mov %rax, %rdx
    lea __DELAY_IMPORT_DESCRIPTOR_\lib(%rip), %rcx
    call __delayLoadHelper2
    movdqa 0x20(%rsp), %xmm0
    movdqa 0x30(%rsp), %xmm1
    movdqa 0x40(%rsp), %xmm2
    movdqa 0x50(%rsp), %xmm3
    add $0x68, %rsp
    pop %r9
    pop %r8
    pop %rdx
    pop %rcx
    jmp *%rax
    .seh_endproc
.endm

TAIL_MERGE libuser32_delay_a
TAIL_MERGE libgdi32_delay_a
