#!/usr/bin/python3
"""vgxhost's SCPI server driven by PyVISA (pyvisa-py backend) as a remote-control script would.

Usage: pyvisa_client_test.py VGXHOST [unittest options]
Starts vgxhost --headless on a free loopback port with a private settings folder and stops it at
the end; every test talks to that one server.
"""
import os
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest

import pyvisa

VGXHOST = None


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Server:
    def __init__(self, exe):
        self.settings = tempfile.TemporaryDirectory()
        self.port = free_port()
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        # A file, not a pipe: nobody reads while the tests run, and a full pipe would stall the host.
        self.log = tempfile.TemporaryFile()
        self.proc = subprocess.Popen(
            [exe, "--headless", "--scpi-port", str(self.port), "--settings-dir", self.settings.name],
            env=env, stdout=self.log, stderr=subprocess.STDOUT)
        # Waits for the listening socket; a host that dies on start-up ends the wait at once.
        deadline = time.monotonic() + 60
        while True:
            if self.proc.poll() is not None:
                self.log.seek(0)
                raise RuntimeError("vgxhost exited on start-up: %s" % self.log.read().decode())
            try:
                socket.create_connection(("127.0.0.1", self.port), timeout=1).close()
                return
            except OSError:
                if time.monotonic() > deadline:
                    self.proc.kill()
                    raise RuntimeError("vgxhost did not open port %d" % self.port)
                time.sleep(0.05)

    def stop(self):
        self.proc.send_signal(signal.SIGTERM)
        try:
            code = self.proc.wait(timeout=60)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            code = None
        self.log.close()
        self.settings.cleanup()
        return code


class PyVisaClient(unittest.TestCase):
    server = None
    rm = None

    @classmethod
    def setUpClass(cls):
        cls.server = Server(VGXHOST)
        cls.rm = pyvisa.ResourceManager("@py")

    @classmethod
    def tearDownClass(cls):
        cls.rm.close()
        code = cls.server.stop()
        if code != 0:
            raise AssertionError("vgxhost ended with %r after SIGTERM" % code)

    def open(self):
        inst = self.rm.open_resource("TCPIP::127.0.0.1::%d::SOCKET" % self.server.port)
        inst.read_termination = "\n"
        inst.write_termination = "\n"
        inst.timeout = 20000
        self.addCleanup(inst.close)
        inst.write("*CLS")
        return inst

    def errors(self, inst):
        return inst.query("SYSTem:ERRor:ALL?")

    def test_identity_and_box_list(self):
        inst = self.open()
        idn = inst.query("*IDN?").split(",")
        self.assertEqual(len(idn), 4, idn)
        self.assertEqual(idn[1], "VGX Host")
        self.assertEqual(inst.query("KOBR:CATalog?"), '"None","100123","100456"')
        self.assertEqual(inst.query("SYSTem:SIMulation:BOX:CATalog?"), '"100123,100456"')
        self.assertEqual(self.errors(inst), '0,"No error"')

    def test_source_and_plain_user_paths_reach_one_parameter(self):
        inst = self.open()
        # Interface 3 is path 0, Out side: the KOBR:USER and the IQ:OUTPut forms share its direction.
        inst.write("SOURce3:KOBR:USER:DIRection TRANsmitter")
        self.assertEqual(inst.query("SOURce3:KOBR:USER:DIRection?;:IQ:OUTPut:EXTernal:DIRection?"), "TRAN;TRAN")
        # Without SOURce the In side of path 0 is meant, whose direction is fixed: refused alike.
        inst.write("KOBR:USER:DIRection TRANsmitter")
        inst.write("SOURce1:KOBR:USER:DIRection TRANsmitter")
        self.assertEqual(self.errors(inst), '-222,"Data out of range",-222,"Data out of range"')
        self.assertEqual(inst.query("KOBR:USER:DIRection?;:SOURce:KOBR:USER:DIRection?"), "REC;REC")

    def test_settings_answer_in_parseable_form(self):
        inst = self.open()
        inst.write("BBIN:EXTernal:LOGic CMOS12")
        self.assertEqual(inst.query("BBIN:EXTernal:LOGic?"), "CMOS12")
        inst.write("IQ:OUTPut:EXTernal:CLOCk:RATE 20 MHz")
        self.assertEqual(float(inst.query("IQ:OUTPut:EXTernal:CLOCk:RATE?")), 20e6)
        inst.write("BBIN:EXTernal:SSI:SPI:CLOCk:FREQuency 8.333MHZ")
        self.assertEqual(inst.query("BBIN:EXTernal:SSI:SPI:CLOCk:FREQuency?"), "8.333e+06")
        # Several queries on one line come back on one line.
        self.assertEqual(inst.query("BBIN:EXT:LOG?;DATA:INEG?"), "CMOS12;0")
        self.assertEqual(self.errors(inst), '0,"No error"')

    def test_refused_write_keeps_the_value_and_queues_the_error(self):
        inst = self.open()
        inst.write("IQ:OUTPut:EXTernal:CLOCk:RATE 10 MHz")
        inst.write("IQ:OUTPut:EXTernal:CLOCk:RATE 900 MHz")
        self.assertEqual(int(inst.query("SYSTem:ERRor:COUNt?")), 1)
        self.assertEqual(inst.query("SYSTem:ERRor?"), '-222,"Data out of range"')
        self.assertEqual(float(inst.query("IQ:OUTPut:EXTernal:CLOCk:RATE?")), 10e6)
        inst.write("NOSUCH:HEADer 1")
        self.assertTrue(inst.query("SYSTem:ERRor?").startswith("-113,"))
        # The error bits reach the status byte until *CLS.
        inst.write("BBIN:EXTernal:LOGic NONSENSE")
        self.assertEqual(int(inst.query("*STB?")) & 4, 4)
        inst.write("*CLS")
        self.assertEqual(int(inst.query("*STB?")) & 4, 0)

    def test_each_client_has_its_own_error_queue(self):
        first = self.open()
        second = self.open()
        second.write("KOBR:NOTHING")
        second.write("BBIN:EXTernal:DATA:SIZE 99")
        self.assertEqual(first.query("SYSTem:ERRor:COUNt?"), "0")
        self.assertEqual(second.query("SYSTem:ERRor:COUNt?"), "2")

    def test_broken_clients_harm_nobody_else(self):
        inst = self.open()
        inst.write("BBIN:EXTernal:DATA:SIZE 14")
        # A client that sends binary junk, and one that leaves in the middle of a line.
        with socket.create_connection(("127.0.0.1", self.server.port)) as junk:
            junk.sendall(bytes(range(256)) * 4 + b"\n")
        with socket.create_connection(("127.0.0.1", self.server.port)) as half:
            half.sendall(b"BBIN:EXTernal:DATA:SIZE 1")
        self.assertEqual(inst.query("BBIN:EXTernal:DATA:SIZE?"), "14")
        self.assertEqual(self.errors(inst), '0,"No error"')


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    VGXHOST = sys.argv.pop(1)
    unittest.main(verbosity=2)
