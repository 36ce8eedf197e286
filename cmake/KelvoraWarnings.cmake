# Our own code builds warning-clean; third-party sources are compiled without warnings.
function(kelvora_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
