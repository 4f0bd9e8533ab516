/* uint64_t qz_call_cdecl(const void* fn, const uint32_t* args, int count, int* popped)
   Pushes count 32-bit arguments (args[0] last, so it lands first on the stack),
   calls fn and stores in *popped how many bytes of arguments the callee removed
   itself: 0 for a cdecl function. Returns EDX:EAX as the callee left them. */
    .text
    .globl _qz_call_cdecl
_qz_call_cdecl:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 16(%ebp), %ecx
    movl 12(%ebp), %esi
1:
    testl %ecx, %ecx
    jz 2f
    decl %ecx
    pushl (%esi,%ecx,4)
    jmp 1b
2:
    movl %esp, %edi
    call *8(%ebp)
    movl %esp, %ecx
    subl %edi, %ecx
    movl 20(%ebp), %ebx
    movl %ecx, (%ebx)
    leal -12(%ebp), %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
