# Every build computes the generator's floating point the same way: plain IEEE
# single and double arithmetic in SSE2 registers, no fused multiply-add and no
# reassociation, so that one seed gives one map on every platform and compiler.
function(pelorn_strict_float target)
  if(MSVC)
    # Since Visual Studio 2022, /fp:precise contracts nothing unless /fp:contract is given.
    target_compile_options(${target} PRIVATE /fp:precise)
  else()
    target_compile_options(${target} PRIVATE -ffp-contract=off -fno-fast-math)
    if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64|i.86" OR MINGW)
      target_compile_options(${target} PRIVATE -msse2 -mfpmath=sse)
    endif()
  endif()
endfunction()
