# Our own targets build warning-free; third-party code (GoogleTest) keeps its own flags.
function(kestrine_warnings target)
    if(MSVC)
        # /utf-8: the sources are UTF-8 and hold a few characters beyond ASCII.
        target_compile_options(${target} PRIVATE /W4 /WX /permissive- /utf-8)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
    endif()
endfunction()
