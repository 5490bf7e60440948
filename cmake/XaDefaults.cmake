# Compiler settings shared by every target of the project.

add_compile_options(-Wall -Wextra -Wpedantic -Wconversion -Wno-sign-conversion -Werror)

if(XA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(XA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "XA_FUZZ needs clang's libFuzzer: configure with the fuzz preset")
  endif()
  # Every object carries the fuzzer's coverage counters and the sanitizers' checks; only the
  # fuzz targets link libFuzzer itself, which brings their main (tools/fuzz).
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(XA_RELEASE)
  # Runs where our compiler's libstdc++ is missing or older (Ubuntu 22.04, a plain Debian):
  # libstdc++ and libgcc linked in, glibc taken from the system. Stripped: vendors download it.
  add_link_options(-static-libstdc++ -static-libgcc -s)
  # Unused sections dropped, among them libstdc++'s random_device code, which the string
  # library brings along: its arc4random needs glibc 2.36, and Ubuntu 22.04 has 2.35.
  add_compile_options(-ffunction-sections -fdata-sections)
  add_link_options(-Wl,--gc-sections)
endif()

if(WIN32)
  # Statically linked: the program must need no DLLs beyond Windows' own.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Run from a downloads folder with administrator rights: ASLR with the base relocations kept,
  # DEP, and in 64-bit programs high-entropy addresses.
  add_link_options(-Wl,--dynamicbase -Wl,--nxcompat)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    add_link_options(-Wl,--high-entropy-va)
  endif()
  # No link time in the PE header: the same sources give the same program, byte for byte, so
  # that release bundles can be rebuilt and compared.
  add_link_options(-Wl,--no-insert-timestamp)
  # Size: every function and object in a section of its own, and the linker drops the sections
  # nothing reaches, in our code and in the static runtime alike.
  add_compile_options(-ffunction-sections -fdata-sections)
  add_link_options(-Wl,--gc-sections)
  # In the 32-bit build, the product, objects carry both machine code and the compiler's
  # intermediate form: the shipped program links with link-time optimisation
  # (xa_link_time_optimised), everything else as usual. The 64-bit build, which runs the tests,
  # compiles plain objects in half the time.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # 32-bit Windows keeps the stack aligned to 4 bytes only where it calls a program's code
    # (thread starts, window procedures, callbacks), while GCC's i386 code assumes 16 on entry:
    # SSE instructions on stack operands then fault. Every function assumes 4 and keeps 4, and
    # one whose locals need more (vector registers spilled by the cipher) realigns its own
    # frame. Link options too, because the shipped program's code is generated at link time.
    set(xa_stack_alignment -mincoming-stack-boundary=2 -mpreferred-stack-boundary=2)
    add_compile_options(${xa_stack_alignment})
    add_link_options(${xa_stack_alignment})
    # GCC's strictest size optimisation (constants pushed, no alignment): about 1 KB less than -Os.
    add_compile_options($<$<CONFIG:MinSizeRel>:-Oz>)
    add_compile_options(-flto -ffat-lto-objects)
    # The linker plugin would otherwise optimise every program that links such objects.
    add_link_options(-fno-lto)
  endif()
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)
endif()

# Links `target` with link-time optimisation across all its objects, so that only the code the
# program reaches is generated, with its unwind tables.
function(xa_link_time_optimised target)
  if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    # One partition: GCC 12's partitioned link-time compilation of this program fails with an
    # internal compiler error (binds_to_current_def_p).
    target_link_options(${target} PRIVATE -flto -flto-partition=one -fuse-linker-plugin)
  endif()
endfunction()

# Links `target` with the C++ runtime that the compiler builds for its win32 thread model rather
# than for the posix one (the winpthread library). The posix model's libstdc++ and libgcc take
# their locks, once-flags and thread keys from winpthread, which brings about 30 KB of code and
# unwind tables into a program that starts its one thread through Windows itself. The two
# runtimes are the same GCC release and differ only in how they lock; the program's code uses
# nothing of the library that depends on the thread model (std::thread, std::mutex and the like
# are not used in it; TLock stands in for std::mutex), so only the language support (exceptions,
# type information, static initialisation guards, operator new) comes from the other build.
function(xa_win32_thread_runtime target)
  if(NOT WIN32 OR NOT CMAKE_CXX_COMPILER MATCHES "-posix$")
    return()
  endif()
  string(REGEX REPLACE "-posix$" "-win32" win32_compiler "${CMAKE_CXX_COMPILER}")
  execute_process(COMMAND ${win32_compiler} -print-libgcc-file-name
                  OUTPUT_VARIABLE libgcc OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE failed ERROR_QUIET)
  if(failed OR NOT EXISTS "${libgcc}")
    message(STATUS "${target}: no win32 thread model runtime beside ${CMAKE_CXX_COMPILER}")
    return()
  endif()
  get_filename_component(runtime_folder "${libgcc}" DIRECTORY)
  # Searched before the compiler's own folder, so libstdc++, libgcc and libgcc_eh come from here.
  target_link_options(${target} PRIVATE -L${runtime_folder})
endfunction()

# Adds a GUI-subsystem Windows program (no console window).
function(xa_gui_subsystem target)
  target_link_options(${target} PRIVATE -mwindows)
endfunction()
