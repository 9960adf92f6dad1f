# Warnings are errors in project code only; system headers stay quiet.
function(brinecast_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
