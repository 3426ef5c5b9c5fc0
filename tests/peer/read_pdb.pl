#!/usr/bin/perl
# Reads a Palm database with Palm::PDB, which owes nothing to this program,
# and prints what it found, one "key=value" line each. Binary values are hex.
use strict;
use warnings;
use Palm::PDB;
use Palm::Raw;

die "usage: $0 file.pdb\n" unless @ARGV == 1;

# Palm::PDB reports oddities it tolerates on STDERR; treat them as failures.
local $SIG{__WARN__} = sub { die "warning: $_[0]" };

my $pdb = Palm::PDB->new;
$pdb->Load($ARGV[0]);

my @records = @{ $pdb->{records} };
print "name=", unpack("H*", $pdb->{name}), "\n";
print "type=$pdb->{type}\n";
print "creator=$pdb->{creator}\n";
print "records=", scalar(@records), "\n";
print "record0=", unpack("H*", $records[0]{data}), "\n" if @records;
