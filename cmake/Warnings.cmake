# Our own targets build warning-free; third-party code (GoogleTest) keeps its own flags.
function(kestrine_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
