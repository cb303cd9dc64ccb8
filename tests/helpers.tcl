# helpers.tcl - shared procs of the command tests.
#   calc formula ?opts?  mc66 with "-S1 -p 6" and a unit system with an empty units file
#   tmpfile text         a new temporary file holding text; returns its path
#   plainunits           path of that unit system
#   tmpcleanup           removes every file and folder made for the tests so far (each
#                        test file calls it before cleanupTests)

if {![info exists ::tmpfiles]} { set ::tmpfiles {} }

proc tmpfile {text} {
    set f [file tempfile path /tmp/qevtcl]
    fconfigure $f -translation binary -encoding iso8859-1
    puts -nonewline $f $text
    close $f
    lappend ::tmpfiles $path
    return $path
}

proc tmpcleanup {} {
    foreach p $::tmpfiles { file delete -force $p }
    set ::tmpfiles {}
    unset -nocomplain ::plainunits
}

proc plainunits {} {
    if {![info exists ::plainunits]} {
        set ::plainunits [tmpfile "plain m kg s K C mol [tmpfile "Units\n"]"]
    }
    return $::plainunits
}

proc calc {formula args} {
    mc66 -u [plainunits] -S1 -p 6 {*}$args -q $formula
}
