# Warnings and floating-point rules shared by every target of the project.
# The plan of the line is laid in exact IEEE double arithmetic, one rounding
# per operation, so contraction into fused multiply-add is switched off.
add_library(project_flags INTERFACE)
if(MSVC)
  target_compile_options(project_flags INTERFACE /W4 /fp:strict)
else()
  target_compile_options(project_flags INTERFACE -Wall -Wextra -ffp-contract=off)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # x87 arithmetic would round twice; force SSE on 32-bit x86 as well.
    if(CMAKE_SYSTEM_PROCESSOR MATCHES "i.86")
      target_compile_options(project_flags INTERFACE -msse2 -mfpmath=sse)
    endif()
  endif()
endif()
if(WIN32 AND NOT MSVC)
  # A self-contained executable: no MinGW runtime DLLs next to it.
  target_link_options(project_flags INTERFACE -static -static-libgcc -static-libstdc++)
endif()
