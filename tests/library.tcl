# library.tcl - shared procs of the library command tests (fbr, anf, anu).
#   libt::dir               a fresh temporary folder for this test file
#   libt::path name         a path in that folder (no file made)
#   libt::write name text   writes a file there (ISO-8859-1 bytes) and returns its path
#   libt::read path         the bytes of a file, "" when it does not exist
#   libt::usys units ?names?  a unit-system file naming the units file 'units'
#   libt::cleanup           removes the folder

namespace eval libt {
    variable folder ""
    proc dir {} {
        variable folder
        if {$folder eq ""} {
            set tmp [expr {[info exists ::env(TMPDIR)] ? $::env(TMPDIR) : "/tmp"}]
            set folder [file join $tmp qevlib[pid][clock clicks]]
            file mkdir $folder
        }
        return $folder
    }
    proc path {name} { return [file join [dir] $name] }
    proc write {name text} {
        set p [path $name]
        set f [open $p w]
        fconfigure $f -translation binary -encoding iso8859-1
        puts -nonewline $f $text
        close $f
        return $p
    }
    proc read {p} {
        if {![file exists $p]} { return "" }
        set f [open $p r]
        fconfigure $f -translation binary -encoding iso8859-1
        set t [::read $f]
        close $f
        return $t
    }
    proc usys {units {names {m kg s K C mol}}} {
        return [write usys[incr ::libt::count] "SI $names $units\n"]
    }
    proc cleanup {} {
        variable folder
        if {$folder ne ""} { file delete -force $folder }
        set folder ""
    }
    variable count 0
}
