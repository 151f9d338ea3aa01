# Compiler settings shared by every target of the project.
function(kanoze_strict target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  target_compile_features(${target} PRIVATE cxx_std_17)
endfunction()

# Windows targets: the runtime is linked in so no MinGW DLL is needed.
function(kanoze_windows_program target)
  kanoze_strict(${target})
  target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
endfunction()
