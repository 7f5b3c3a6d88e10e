/* The thunk of stack_check_call.h (32-bit x86, cdecl, mingw's leading
 * underscore):
 *   int32_t stack_check_call(const void *fn, int count, const int32_t *args,
 *                            int32_t *espMoved);
 * EBX holds ESP from before the pushes: it is callee-saved, so the function
 * under test hands it back unchanged whatever it does to ESP. */
        .text
        .globl  _stack_check_call
_stack_check_call:
        pushl   %ebp
        movl    %esp, %ebp
        pushl   %ebx
        pushl   %esi
        pushl   %edi
        subl    $64, %esp               /* spare words for a callee that takes too many */
        movl    %esp, %ebx
        movl    12(%ebp), %ecx          /* count */
        movl    16(%ebp), %edx          /* args */
        testl   %ecx, %ecx
        jle     2f
1:      pushl   -4(%edx,%ecx,4)         /* last argument first */
        decl    %ecx
        jnz     1b
2:      call    *8(%ebp)
        movl    %esp, %ecx
        subl    %ebx, %ecx              /* ESP after the call minus ESP before the pushes */
        movl    %ebx, %esp
        movl    20(%ebp), %edx
        movl    %ecx, (%edx)
        addl    $64, %esp
        popl    %edi
        popl    %esi
        popl    %ebx
        popl    %ebp
        ret
